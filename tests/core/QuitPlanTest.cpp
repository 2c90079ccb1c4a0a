#include "TestBank.h"

#include "core/progress/QuitPlan.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

const QDate Today(2026, 12, 10);

struct PlanCase
{
    const char *name;
    QVariant planMark, planAmount, planTime;
    bool logRow;
    QVariant answers; // today's A2
    QVariant minutesText; // today's D1
    QuitPlanOutcome expected;
    int achieved;
};

class QuitPlanTest : public ::testing::TestWithParam<PlanCase>
{
};

TEST_P(QuitPlanTest, ComparesTodayWithThePlan)
{
    const PlanCase &c = GetParam();
    test::TestBank bank;
    bank.exec(QStringLiteral("INSERT INTO tab_plan (PlanMark, PlanAmount, PlanTime) VALUES (?, ?, ?)"),
        { c.planMark, c.planAmount, c.planTime });
    // An older day must not count for today.
    bank.exec(QStringLiteral("INSERT INTO tab_rz (A1, A2, D1) VALUES ('2026-12-09', 500, '09:00:00')"));
    if (c.logRow)
        bank.exec(QStringLiteral("INSERT INTO tab_rz (A1, A2, D1) VALUES (?, ?, ?)"),
            { Today.toString(Qt::ISODate), c.answers, c.minutesText });

    const Result<QuitPlanCheck> check = checkQuitPlan(bank.db(), Today);
    ASSERT_TRUE(check.ok()) << check.reason().toStdString();
    EXPECT_EQ(check->outcome, c.expected);
    if (c.expected != QuitPlanOutcome::NoComparison) {
        EXPECT_EQ(check->achieved, c.achieved);
    }
}

const QVariant Null;

INSTANTIATE_TEST_SUITE_P(Cases, QuitPlanTest,
    ::testing::Values(
        PlanCase { "NoLogRowPlanZeroIsMet", 0, 0, 0, false, Null, Null, QuitPlanOutcome::Met, 0 },
        PlanCase { "NoLogRowPlanOneIsBelow", 0, 1, 0, false, Null, Null, QuitPlanOutcome::Below, 0 },
        PlanCase { "CountEqual", 0, 20, 99, true, 20, QStringLiteral("00:01:00"), QuitPlanOutcome::Met, 20 },
        PlanCase { "CountAbove", 0, 20, 0, true, 21, QStringLiteral("00:00:00"), QuitPlanOutcome::Above, 21 },
        PlanCase { "MinutesDropTheSeconds", 1, 0, 30, true, 999, QStringLiteral("0:29:59"),
            QuitPlanOutcome::Below, 29 },
        PlanCase { "MinutesEqual", 1, 0, 30, true, 0, QStringLiteral("00:30:59"), QuitPlanOutcome::Met, 30 },
        PlanCase { "MinutesAboveAcrossHours", 1, 0, 30, true, 0, QStringLiteral("125:00:00"),
            QuitPlanOutcome::Above, 7500 },
        PlanCase { "OtherModeDoesNothing", 2, 0, 0, true, 5, QStringLiteral("00:10:00"),
            QuitPlanOutcome::NoComparison, 0 },
        PlanCase { "NullPlanCountsAsZero", Null, Null, Null, false, Null, Null, QuitPlanOutcome::Met, 0 },
        PlanCase { "NullAnswersCountAsZero", 0, 3, 0, true, Null, QStringLiteral("00:05:00"),
            QuitPlanOutcome::Below, 0 },
        PlanCase { "NullTimeCountsAsZero", 1, 0, 0, true, 4, Null, QuitPlanOutcome::Met, 0 },
        PlanCase {
            "DamagedTimeCountsAsZero", 1, 0, 5, true, 4, QStringLiteral("abc"), QuitPlanOutcome::Below, 0 }),
    [](const ::testing::TestParamInfo<PlanCase> &info) { return std::string(info.param.name); });

TEST(QuitPlan, EmptyPlanTableLetsTheUserGo)
{
    test::TestBank bank;
    const Result<QuitPlanCheck> check = checkQuitPlan(bank.db(), Today);
    ASSERT_TRUE(check.ok());
    EXPECT_EQ(check->outcome, QuitPlanOutcome::Met);
}

TEST(QuitPlan, OnlyTheFirstPlanRowCounts)
{
    test::TestBank bank;
    bank.exec(QStringLiteral("INSERT INTO tab_plan (PlanMark, PlanAmount) VALUES (0, 5)"));
    bank.exec(QStringLiteral("INSERT INTO tab_plan (PlanMark, PlanAmount) VALUES (0, 0)"));
    const Result<QuitPlanCheck> check = checkQuitPlan(bank.db(), Today);
    ASSERT_TRUE(check.ok());
    EXPECT_EQ(check->outcome, QuitPlanOutcome::Below);
}

TEST(QuitPlan, MissingTableIsReportedNotThrown)
{
    test::TestBank bank;
    bank.exec(QStringLiteral("DROP TABLE tab_rz"));
    EXPECT_FALSE(checkQuitPlan(bank.db(), Today).ok());
}

} // namespace
} // namespace vorlane
