#include "TestBank.h"

#include "core/TimeText.h"
#include "core/progress/QuitPlan.h"
#include "core/progress/StudyPlan.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

const QDate Today(2026, 12, 10);

TEST(ElapsedTimeText, PlainAndTwoDigitHours)
{
    const struct
    {
        qint64 seconds;
        const char *plain;
        const char *twoDigits;
    } cases[] = {
        { 0, "0:00:00", "00:00:00" }, { 583, "0:09:43", "00:09:43" }, { 3723, "1:02:03", "01:02:03" },
        { 86405, "24:00:05", "24:00:05" }, { 450000, "125:00:00", "125:00:00" },
        { -5, "0:00:00", "00:00:00" }, // a clock set back never shows a negative time
    };
    for (const auto &c : cases) {
        EXPECT_EQ(elapsedTimeText(c.seconds), QString::fromLatin1(c.plain)) << c.seconds;
        EXPECT_EQ(elapsedTimeText(c.seconds, HourDigits::Two), QString::fromLatin1(c.twoDigits)) << c.seconds;
        // What the program writes it reads back.
        EXPECT_EQ(
            timeTextToSeconds(elapsedTimeText(c.seconds)), std::optional<qint64>(qMax<qint64>(0, c.seconds)));
    }
}

struct CountdownCase
{
    const char *name;
    QDate examDate;
    Countdown::State state;
    const char *caption;
    const char *number; // only while ahead
    bool urgent;
};

class CountdownTest : public ::testing::TestWithParam<CountdownCase>
{
};

TEST_P(CountdownTest, FollowsTheDaysLeft)
{
    const CountdownCase &c = GetParam();
    const Countdown countdown = countdownFor(c.examDate, Today);
    EXPECT_EQ(countdown.state, c.state);
    EXPECT_EQ(countdown.caption, QString::fromUtf8(c.caption));
    EXPECT_EQ(countdown.showsNumber(), c.state == Countdown::State::Ahead);
    if (countdown.showsNumber()) {
        EXPECT_EQ(countdown.number, QString::fromLatin1(c.number));
    }
    EXPECT_EQ(countdown.urgent, c.urgent);
}

INSTANTIATE_TEST_SUITE_P(Days, CountdownTest,
    ::testing::Values(CountdownCase { "Today", Today, Countdown::State::Today, "祝考试成功！", "", false },
        CountdownCase { "Yesterday", Today.addDays(-1), Countdown::State::Over, "考试已结束！", "", false },
        CountdownCase { "LongAgo", Today.addDays(-4000), Countdown::State::Over, "考试已结束！", "", false },
        CountdownCase { "Tomorrow", Today.addDays(1), Countdown::State::Ahead, "距离考试还有", "1", true },
        CountdownCase { "SevenIsRed", Today.addDays(7), Countdown::State::Ahead, "距离考试还有", "7", true },
        CountdownCase {
            "EightIsGreen", Today.addDays(8), Countdown::State::Ahead, "距离考试还有", "8", false },
        CountdownCase { "Day999", Today.addDays(999), Countdown::State::Ahead, "距离考试还有", "999", false },
        CountdownCase {
            "Day1000Shows999", Today.addDays(1000), Countdown::State::Ahead, "距离考试还有", "999", false },
        CountdownCase {
            "FarAhead", Today.addDays(5000), Countdown::State::Ahead, "距离考试还有", "999", false },
        CountdownCase { "Unparsable", QDate(), Countdown::State::Unknown, "考试日期未知", "", false }),
    [](const ::testing::TestParamInfo<CountdownCase> &info) { return std::string(info.param.name); });

TEST(ExamDate, ParsesTheFormsPeopleWrite)
{
    const struct
    {
        const char *text;
        QDate date;
    } cases[] = {
        { "2027-06-12", QDate(2027, 6, 12) },
        { "2027-6-2", QDate(2027, 6, 2) },
        { "2027/06/12", QDate(2027, 6, 12) },
        { " 2027.6.12 ", QDate(2027, 6, 12) },
        { "2027年6月12日", QDate(2027, 6, 12) },
        { "2028-02-29", QDate(2028, 2, 29) },
        { "2027-02-29", QDate() }, // not a leap year
        { "2027-06-31", QDate() },
        { "2027-13-01", QDate() },
        { "12/06/2027", QDate() }, // day first is ambiguous: refused rather than guessed
        { "2027-06", QDate() },
        { "明年六月", QDate() },
        { "", QDate() },
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseExamDate(QString::fromUtf8(c.text)), c.date) << c.text;
}

class StudyPlanStore : public ::testing::Test
{
protected:
    QVariantList planRow()
    {
        Statement row = bank.db().prepare(QStringLiteral("SELECT PlanMark, PlanAmount, PlanTime, ExamDate, "
                                                         "LeastMark, ExamTime FROM tab_plan ORDER BY rowid"));
        QVariantList values;
        while (row.next())
            for (int column = 0; column < 6; ++column)
                values << row.value(column);
        return values;
    }

    test::TestBank bank;
};

TEST_F(StudyPlanStore, ReadsTheFirstRowWithEmptyValuesAsZero)
{
    bank.exec(QStringLiteral("INSERT INTO tab_plan VALUES (1, 40, 90, '2027-06-12', 60, 7200)"));
    bank.exec(QStringLiteral("INSERT INTO tab_plan VALUES (0, 1, 1, '2030-01-01', 1, 1)"));
    Result<StudyPlan> plan = readStudyPlan(bank.db());
    ASSERT_TRUE(plan.ok()) << plan.reason().toStdString();
    EXPECT_EQ(plan->planMark, 1);
    EXPECT_EQ(plan->planAmount, 40);
    EXPECT_EQ(plan->planTime, 90);
    EXPECT_EQ(plan->examDate, QDate(2027, 6, 12));
    EXPECT_EQ(plan->leastMark, 60);
    EXPECT_EQ(plan->examTimeSeconds, 7200);

    bank.exec(QStringLiteral("DELETE FROM tab_plan"));
    bank.exec(QStringLiteral("INSERT INTO tab_plan (ExamDate) VALUES ('下个月')"));
    plan = readStudyPlan(bank.db());
    ASSERT_TRUE(plan.ok());
    EXPECT_EQ(plan->planMark, 0);
    EXPECT_EQ(plan->planAmount, 0);
    EXPECT_EQ(plan->leastMark, 0);
    EXPECT_EQ(plan->examDateText, QStringLiteral("下个月"));
    EXPECT_FALSE(plan->examDate.isValid());
    EXPECT_EQ(countdownFor(plan->examDate, Today).state, Countdown::State::Unknown);
}

TEST_F(StudyPlanStore, ReadingAMissingTableIsReported)
{
    bank.exec(QStringLiteral("DROP TABLE tab_plan"));
    EXPECT_FALSE(readStudyPlan(bank.db()).ok());
}

TEST_F(StudyPlanStore, SaveStoresBothTargetsAndKeepsTheExamSettings)
{
    bank.exec(QStringLiteral("INSERT INTO tab_plan VALUES (0, 50, 60, '2027-06-12', 75, 5400)"));
    ASSERT_TRUE(saveStudyPlan(
        bank.db(), { 1, QStringLiteral("120"), QStringLiteral(" 45 "), QStringLiteral("2027/7/1") }));
    EXPECT_EQ(planRow(), (QVariantList { 1, 120, 45, QStringLiteral("2027-07-01"), 75, 5400 }));

    // The quit check and the exam read what the plan window saved.
    bank.exec(QStringLiteral("INSERT INTO tab_rz (A1, A2, D1) VALUES (?, 500, '00:44:59')"),
        { Today.toString(Qt::ISODate) });
    const Result<QuitPlanCheck> check = checkQuitPlan(bank.db(), Today);
    ASSERT_TRUE(check.ok());
    EXPECT_EQ(check->target, 45);
    EXPECT_EQ(check->outcome, QuitPlanOutcome::Below);

    // An empty box stores 0 in its column.
    ASSERT_TRUE(
        saveStudyPlan(bank.db(), { 0, QString(), QStringLiteral("999"), QStringLiteral("2027-07-01") }));
    EXPECT_EQ(planRow(), (QVariantList { 0, 0, 999, QStringLiteral("2027-07-01"), 75, 5400 }));
}

TEST_F(StudyPlanStore, SaveIntoAnEmptyTableMakesTheRow)
{
    ASSERT_TRUE(saveStudyPlan(
        bank.db(), { 0, QStringLiteral("30"), QStringLiteral("20"), QStringLiteral("2027-06-12") }));
    EXPECT_EQ(planRow(), (QVariantList { 0, 30, 20, QStringLiteral("2027-06-12"), QVariant(), QVariant() }));
}

TEST_F(StudyPlanStore, RefusedInputStoresNothing)
{
    bank.exec(QStringLiteral("INSERT INTO tab_plan VALUES (0, 50, 60, '2027-06-12', 75, 5400)"));
    const QVariantList before = planRow();
    const struct
    {
        PlanInput input;
        const char *messagePart;
    } cases[] = {
        { { 0, QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("2027-02-30") }, "考试日期" },
        { { 0, QStringLiteral("10"), QStringLiteral("10"), QString() }, "考试日期" },
        { { 1, QStringLiteral("1000"), QStringLiteral("10"), QStringLiteral("2027-06-12") }, "999" },
        { { 1, QStringLiteral("10"), QStringLiteral("-5"), QStringLiteral("2027-06-12") }, "999" },
        { { 1, QStringLiteral("1e2"), QStringLiteral("10"), QStringLiteral("2027-06-12") }, "999" },
        { { 2, QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("2027-06-12") }, "学习计划" },
    };
    for (const auto &c : cases) {
        const Status saved = saveStudyPlan(bank.db(), c.input);
        EXPECT_FALSE(saved.ok());
        EXPECT_TRUE(saved.reason().contains(QString::fromUtf8(c.messagePart)))
            << saved.reason().toStdString();
        EXPECT_EQ(planRow(), before);
    }
}

} // namespace
} // namespace vorlane
