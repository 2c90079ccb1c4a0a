#include "core/Subject.h"

#include <gtest/gtest.h>

using namespace vorlane;

namespace {

TEST(Subject, NumbersNameTheirTablesAndNothingElseDoes)
{
    for (int number = 1; number <= Subject::Count; ++number) {
        const Subject subject = Subject::fromNumber(number);
        EXPECT_TRUE(subject.isValid());
        EXPECT_EQ(subject.typeTable(), QStringLiteral("tab_tx%1").arg(number));
        EXPECT_FALSE(subject.poolPrefixes().isEmpty());
    }
    for (int number : { -1, 0, 6, 10 }) {
        const Subject subject = Subject::fromNumber(number);
        EXPECT_FALSE(subject.isValid()) << number;
        EXPECT_EQ(subject.typeTable(), QString()) << number;
        EXPECT_TRUE(subject.poolPrefixes().isEmpty()) << number;
    }
}

TEST(Subject, ExamSubjectZeroMeansOne)
{
    EXPECT_EQ(Subject::ofExam(0).number(), 1);
    EXPECT_EQ(Subject::ofExam(0).typeTable(), QStringLiteral("tab_tx1"));
    EXPECT_EQ(Subject::ofExam(4).number(), 4);
    EXPECT_FALSE(Subject::ofExam(7).isValid());
}

TEST(Subject, PoolsAsTheDrawTableHasThem)
{
    EXPECT_EQ(Subject::fromNumber(1).poolPrefixes(), QStringList { QStringLiteral("10") });
    EXPECT_EQ(Subject::fromNumber(3).poolPrefixes(), QStringList { QStringLiteral("30") });
    EXPECT_EQ(Subject::fromNumber(4).poolPrefixes(),
        (QStringList {
            QStringLiteral("06"), QStringLiteral("07"), QStringLiteral("08"), QStringLiteral("09") }));
    EXPECT_EQ(Subject::fromNumber(5).poolPrefixes(), QStringList { QStringLiteral("05") });
}

// What the menu shows as a subject's title, from the title the bank gives it.
TEST(Subject, ShownTitleDropsTheNumeralTheBadgeShows)
{
    struct Case
    {
        int number;
        const char *bankTitle;
        const char *shown;
        bool ownTitle;
    };
    for (const Case &c : { Case { 1, "综合知识", "综合知识", true },
             Case { 2, "科目二　专业实务", "专业实务", true }, Case { 3, "科目三", "科目三", false },
             Case { 5, "", "科目五", false }, Case { 4, "科目一 案例", "科目一 案例", true } }) {
        const Subject subject = Subject::fromNumber(c.number, QString::fromUtf8(c.bankTitle));
        EXPECT_EQ(subject.shownTitle(), QString::fromUtf8(c.shown)) << c.bankTitle;
        EXPECT_EQ(subject.hasOwnTitle(), c.ownTitle) << c.bankTitle;
        EXPECT_EQ(subject.title(), QString::fromUtf8(c.bankTitle));
    }
}

} // namespace
