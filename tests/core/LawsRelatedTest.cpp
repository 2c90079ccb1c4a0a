#include "PracticeFixture.h"

#include "core/laws/RelatedLaws.h"

using namespace vorlane;
using vorlane::test::PracticeBank;

TEST(RelatedLaws, ListsTheFilledExamPointsAndTheirSortedTitles)
{
    PracticeBank bank;
    bank.addQuestion(QStringLiteral("q1"), QStringLiteral("100101"), 61, QStringLiteral("A"), 4,
        { QStringLiteral("1100010003"), QString(), QStringLiteral("1100010001"), QString(), QString(),
            QString(), QStringLiteral("9900010001"), QStringLiteral("1100010002") });
    bank.addQuestion(QStringLiteral("none"), QStringLiteral("100101"), 61, QStringLiteral("A"));

    const Result<QStringList> keys = loadExamPoints(bank.db(), QStringLiteral("q1"));
    ASSERT_TRUE(keys.ok());
    EXPECT_EQ(*keys,
        (QStringList { QStringLiteral("1100010003"), QStringLiteral("1100010001"),
            QStringLiteral("9900010001"), QStringLiteral("1100010002") }));
    EXPECT_TRUE(loadExamPoints(bank.db(), QStringLiteral("none"))->isEmpty());
    EXPECT_TRUE(loadExamPoints(bank.db(), QStringLiteral("missing"))->isEmpty());

    // Sorted as numbers read, not in column order; the key without an article is left out.
    const Result<QStringList> titles = examPointTitles(bank.db(), *keys);
    ASSERT_TRUE(titles.ok());
    EXPECT_EQ(*titles,
        (QStringList {
            QStringLiteral("第1条 总则"), QStringLiteral("第3条 订立"), QStringLiteral("第12条 违约") }));
}

TEST(RelatedLaws, AQuoteInAnIdIsOnlyText)
{
    PracticeBank bank;
    EXPECT_TRUE(loadExamPoints(bank.db(), QStringLiteral("x' OR '1'='1"))->isEmpty());
    EXPECT_TRUE(examPointTitles(bank.db(), { QStringLiteral("x') OR ('1'='1") })->isEmpty());
}

#include "core/laws/RelatedArticles.h"

TEST(RelatedLaws, ArticleNumbersReadAsNumbers)
{
    const std::pair<const char *, int> cases[] = { { "第一条", 1 }, { "第十条", 10 }, { "第十二条", 12 },
        { "第二十条", 20 }, { "第二十三条", 23 }, { "第一百条", 100 }, { "第一百零五条", 105 },
        { "第一百一十条", 110 }, { "第两千条", 2000 }, { "第12条 违约", 12 }, { "第三条之一", 3 } };
    for (const auto &[title, number] : cases)
        EXPECT_EQ(articleNumber(QString::fromUtf8(title)), number) << title;
    EXPECT_FALSE(articleNumber(QStringLiteral("附则")).has_value());
}

// Listed by law (the laws' own order), then by article number as read: 第三条 before 第十条, and
// each title says which law it belongs to; the text comes along for the viewer.
TEST(RelatedLaws, ArticlesComeByLawThenByNumberWithTheirLaw)
{
    PracticeBank bank;
    bank.db().exec(QStringLiteral("INSERT INTO tab_fgmc (id, n, bh) VALUES ('120001','民法典',1),"
                                  "('120002','公司法',2)"));
    bank.db().exec(QStringLiteral(
        "INSERT INTO tab_rule (ftid, id, sn, n) VALUES ('1200020010','120002','第十条  ','<p>公司十</p>'),"
        "('1200010010','120001','第十条','<p>民十</p>'),('1200010003','120001','第三条','<p>民三</p>'),"
        "('1200020002','120002','第二条','<p>公司二</p>'),('1300010001','130001','第一条',NULL)"));
    const Result<QList<RelatedArticle>> articles = relatedArticles(bank.db(),
        { QStringLiteral("1200020010"), QStringLiteral("1200010010"), QStringLiteral("1300010001"),
            QStringLiteral("1200010003"), QStringLiteral("1200020002"), QStringLiteral("9999999999") });
    ASSERT_TRUE(articles.ok());
    QStringList captions;
    for (const RelatedArticle &article : *articles)
        captions << article.caption();
    EXPECT_EQ(captions,
        (QStringList { QStringLiteral("民法典 第三条"), QStringLiteral("民法典 第十条"),
            QStringLiteral("公司法 第二条"), QStringLiteral("公司法 第十条"), QStringLiteral("第一条") }));
    EXPECT_EQ(articles->at(1).text, QStringLiteral("<p>民十</p>"));
    EXPECT_TRUE(relatedArticles(bank.db(), { QStringLiteral("x') OR ('1'='1") })->isEmpty());
}
