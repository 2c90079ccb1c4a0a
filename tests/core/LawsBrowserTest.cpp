#include "PracticeFixture.h"

#include "core/laws/Articles.h"
#include "core/laws/LawCatalogue.h"

using namespace vorlane;
using vorlane::test::PracticeBank;

namespace {

// The practice fixture's law 110001 and a second law with four articles holding 10 questions.
class LawsBank : public PracticeBank
{
public:
    LawsBank()
    {
        exec(QStringLiteral("UPDATE tab_fgmc SET bh = 1, q = 6, q1 = 2, q2 = 5, q4 = 1 WHERE id = '11'"));
        exec(QStringLiteral("UPDATE tab_fgmc SET bh = 2 WHERE id = '110001'"));
        exec(QStringLiteral("INSERT INTO tab_fgmc (id, n, bh, q, q1, q2, q4) VALUES "
                            "('110002','《仓储合同法》',3,10,4,123456789,3),('12','行政类',4,0,0,0,0),"
                            "('120001','《合同登记办法》',5,0,0,0,0)"));
        exec(QStringLiteral("INSERT INTO tab_rule (ftid, id, sn, n, q, q1, q2, q4) VALUES "
                            "('1100020003','110002','第三条  ','<p>三</p>',5,2,7,3),"
                            "('1100020001','110002','第一条','<p>一</p>',0,0,0,0),"
                            "('1100020002','110002','第二条','<p>二</p>',1,1,1,0),"
                            "('1100020004','110002','第四条','<p>四</p>',2,0,0,0)"));
    }
};

QStringList listTexts(const QList<Article> &articles)
{
    QStringList texts;
    for (const Article &article : articles)
        texts << article.listText();
    return texts;
}

TEST(LawsCatalogue, RowsInDisplayOrderWithTheirCounters)
{
    LawsBank bank;
    const Result<QList<LawRow>> rows = loadLawCatalogue(bank.db());
    ASSERT_TRUE(rows.ok());
    QStringList ids;
    for (const LawRow &row : *rows)
        ids << row.id;
    EXPECT_EQ(ids,
        (QStringList { QStringLiteral("11"), QStringLiteral("110001"), QStringLiteral("110002"),
            QStringLiteral("12"), QStringLiteral("120001") }));
    EXPECT_TRUE(rows->at(0).isHeading());
    EXPECT_FALSE(rows->at(1).isHeading());
    EXPECT_EQ(rows->at(2).counters.answers, 123456789);
    EXPECT_EQ(counterCell(rows->at(0).counters.questions), QStringLiteral("        6"));
    EXPECT_EQ(counterCell(123456789), QStringLiteral("123456789"));
    EXPECT_EQ(counterCell(1234567890), QStringLiteral("1234567890")); // wider values stay whole
}

TEST(LawsCatalogue, HeadingsAreTheShortIds)
{
    for (const auto &[id, heading] : std::initializer_list<std::pair<const char *, bool>> {
             { "1", true }, { "11", true }, { " 11 ", true }, { "110001", false }, { "", false } })
        EXPECT_EQ(isLawHeading(QString::fromUtf8(id)), heading) << id;
}

// The search rule: trimmed text, first row from the top whose name holds it, -1 otherwise.
TEST(LawsCatalogue, SearchFindsTheFirstRowFromTheTop)
{
    LawsBank bank;
    const QList<LawRow> rows = *loadLawCatalogue(bank.db());
    const struct
    {
        const char *text;
        int row;
    } cases[] = {
        { "合同", 1 }, // "合同法" comes before "《仓储合同法》" and "《合同登记办法》"
        { "  合同  ", 1 }, // blanks around the text
        { "\t仓储合同\n", 2 }, { "登记", 4 }, { "行政类", 3 }, // headings are searched like laws
        { "不存在", -1 }, // no match: the selection stays
        { "   ", -1 }, // blank: nothing happens
        { "", -1 }, { "合 同", -1 }, // inner blanks are part of the text
    };
    for (const auto &c : cases)
        EXPECT_EQ(findLawRow(rows, QString::fromUtf8(c.text)), c.row) << c.text;
    EXPECT_EQ(findLawRow({}, QStringLiteral("合同")), -1);
}

TEST(LawsKeyPoints, MinimumIsTheAverageQuestionsPerArticleAtLeastOne)
{
    const struct
    {
        qint64 questions;
        qint64 articles;
        int minimum;
    } cases[] = {
        { 10, 4, 2 }, // 10 div 4
        { 0, 4, 1 }, // a law without questions
        { 3, 4, 1 }, // fewer questions than articles
        { 12, 4, 3 },
        { 10, 0, 1 }, // no articles: the division cannot be made
        { -5, 4, 1 },
        { 1LL << 40, 1, std::numeric_limits<int>::max() },
    };
    for (const auto &c : cases)
        EXPECT_EQ(keyPointMinimum(c.questions, c.articles), c.minimum) << c.questions << " / " << c.articles;

    LawsBank bank;
    EXPECT_EQ(keyPointMinimum(bank.db(), QStringLiteral("110002"), 10), 2);
    EXPECT_EQ(keyPointMinimum(bank.db(), QStringLiteral("120001"), 10), 1);
}

TEST(LawsArticles, ListedInKeyOrderWithCountSuffixes)
{
    LawsBank bank;
    const Result<QList<Article>> articles = loadArticles(bank.db(), QStringLiteral(" 110002 "));
    ASSERT_TRUE(articles.ok());
    EXPECT_EQ(listTexts(*articles),
        (QStringList { QStringLiteral("第一条"), QStringLiteral("第二条(1)"), QStringLiteral("第三条(5)"),
            QStringLiteral("第四条(2)") }));
    EXPECT_EQ(articles->at(2).title, QStringLiteral("第三条")); // trailing blanks stripped
    EXPECT_EQ(articles->at(2).text, QStringLiteral("<p>三</p>"));
    EXPECT_TRUE(loadArticles(bank.db(), QStringLiteral("120001"))->isEmpty());
}

TEST(LawsArticles, NoteShowsTheCountersOrAReminder)
{
    Article article;
    article.counters = { 5, 2, 7, 3 };
    EXPECT_EQ(article.note(), QStringLiteral("相关题数：5题  已做题数：2题  已做道次：7次  做错道次：3次"));
    article.counters = { 0, 0, 0, 0 };
    EXPECT_EQ(article.note(), QStringLiteral("虽然针对该内容的习题没有，您仍要仔细阅读！"));
    article.counters = { -1, 0, 0, 0 };
    EXPECT_FALSE(article.hasQuestions());
    EXPECT_EQ(article.note(), QStringLiteral("虽然针对该内容的习题没有，您仍要仔细阅读！"));
}

// Toggling key points: 10 questions over 4 articles make 2 the minimum.
TEST(LawsKeyPoints, ToggleNarrowsAndRestores)
{
    LawsBank bank;
    const QList<LawRow> rows = *loadLawCatalogue(bank.db());
    Result<OpenLaw> law = OpenLaw::open(bank.db(), rows.at(2));
    ASSERT_TRUE(law.ok());
    OpenLaw &open = law.value();
    EXPECT_EQ(open.keyPointMinimum(), 2);
    EXPECT_FALSE(open.keyPointsShown());

    EXPECT_TRUE(open.toggleKeyPoints());
    EXPECT_TRUE(open.keyPointsShown());
    EXPECT_EQ(
        listTexts(open.shown()), (QStringList { QStringLiteral("第三条(5)"), QStringLiteral("第四条(2)") }));

    EXPECT_TRUE(open.toggleKeyPoints());
    EXPECT_FALSE(open.keyPointsShown());
    EXPECT_EQ(open.shown().size(), 4);
}

TEST(LawsKeyPoints, NoKeyPointKeepsTheFullList)
{
    LawsBank bank;
    // A law whose q is 0 has minimum 1; with every article at 0 nothing reaches it.
    bank.exec(QStringLiteral("INSERT INTO tab_rule (ftid, id, sn, q) VALUES "
                             "('1200010001','120001','第一条',0),('1200010002','120001','第二条',0)"));
    const QList<LawRow> rows = *loadLawCatalogue(bank.db());
    Result<OpenLaw> law = OpenLaw::open(bank.db(), rows.at(4));
    ASSERT_TRUE(law.ok());
    EXPECT_EQ(law->keyPointMinimum(), 1);
    EXPECT_FALSE(law.value().toggleKeyPoints());
    EXPECT_FALSE(law->keyPointsShown());
    EXPECT_EQ(listTexts(law->shown()), (QStringList { QStringLiteral("第一条"), QStringLiteral("第二条") }));

    // A law without articles is empty and has no key points either.
    bank.exec(QStringLiteral("DELETE FROM tab_rule WHERE id = '120001'"));
    law = OpenLaw::open(bank.db(), rows.at(4));
    ASSERT_TRUE(law.ok());
    EXPECT_TRUE(law->isEmpty());
    EXPECT_FALSE(law.value().toggleKeyPoints());
}

// Ids and titles are values, never statement text.
TEST(LawsArticles, QuotesInIdsAndTitlesAreOnlyText)
{
    LawsBank bank;
    bank.exec(QStringLiteral("INSERT INTO tab_fgmc (id, n, bh) VALUES ('13''x01', '《经营者''s 规定》', 9)"));
    bank.exec(QStringLiteral("INSERT INTO tab_rule (ftid, id, sn, q) VALUES ('13''x010001', '13''x01', "
                             "'第一条 \"定义\" 与 ''范围''', 3)"));
    const QList<LawRow> rows = *loadLawCatalogue(bank.db());
    EXPECT_EQ(findLawRow(rows, QStringLiteral("经营者's")), 5);
    Result<OpenLaw> law = OpenLaw::open(bank.db(), rows.at(5));
    ASSERT_TRUE(law.ok());
    ASSERT_EQ(law->shown().size(), 1);
    EXPECT_EQ(law->shown().at(0).listText(), QStringLiteral("第一条 \"定义\" 与 '范围'(3)"));
    EXPECT_EQ(law->keyPointMinimum(), 1);
    EXPECT_TRUE(loadArticles(bank.db(), QStringLiteral("x' OR '1'='1"))->isEmpty());
}

} // namespace
