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
