#include "TestBank.h"

#include "core/progress/DailyLog.h"
#include "core/progress/ProgressCharts.h"
#include "core/progress/Readiness.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

const QDate Today(2026, 12, 10);

QString iso(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

TEST(DailyLog, RowsNewestFirstAndTotals)
{
    test::TestBank bank;
    Result<DailyLogTotals> totals = readDailyLogTotals(bank.db());
    ASSERT_TRUE(totals.ok());
    EXPECT_EQ(totals->answers, 0);
    EXPECT_EQ(totals->wrongAnswers, 0);
    EXPECT_EQ(totals->score, QStringLiteral("0"));
    EXPECT_TRUE(readDailyLog(bank.db())->isEmpty());

    bank.exec(QStringLiteral("INSERT INTO tab_rz VALUES ('2026-11-30', 2, 1, 2, 1, '00:10:00', '50.00')"));
    bank.exec(QStringLiteral("INSERT INTO tab_rz VALUES ('2026-12-02', 1, 0, 1, 0, '01:02:03', '100.00')"));
    bank.exec(QStringLiteral("INSERT INTO tab_rz (A1) VALUES ('2026-12-01')")); // a row with nothing counted
    totals = readDailyLogTotals(bank.db());
    ASSERT_TRUE(totals.ok());
    EXPECT_EQ(totals->answers, 3);
    EXPECT_EQ(totals->wrongAnswers, 1);
    EXPECT_EQ(totals->score, QStringLiteral("66.67"));

    const Result<QList<DailyLogRow>> rows = readDailyLog(bank.db());
    ASSERT_TRUE(rows.ok());
    ASSERT_EQ(rows->size(), 3);
    EXPECT_EQ(rows->at(0).day, QStringLiteral("2026-12-02"));
    EXPECT_EQ(rows->at(0).time, QStringLiteral("01:02:03"));
    EXPECT_EQ(rows->at(1).day, QStringLiteral("2026-12-01"));
    EXPECT_EQ(rows->at(1).answers, 0);
    EXPECT_EQ(rows->at(2).day, QStringLiteral("2026-11-30"));
    EXPECT_EQ(rows->at(2).wrongAnswers, 1);
    EXPECT_EQ(rows->at(2).score, QStringLiteral("50.00"));
}

TEST(DailyLog, PercentOfRightAnswers)
{
    const struct
    {
        qint64 answers, wrong;
        const char *text;
    } cases[] = { { 0, 0, "0" }, { -3, 0, "0" }, { 3, 1, "66.67" }, { 150, 30, "80.00" }, { 7, 7, "0.00" },
        { 1, 0, "100.00" }, { 3, 2, "33.33" } };
    for (const auto &c : cases)
        EXPECT_EQ(rightAnswersPercent(c.answers, c.wrong), QString::fromLatin1(c.text))
            << c.answers << "/" << c.wrong;
}

TEST(DailyLog, MissingTableIsReported)
{
    test::TestBank bank;
    bank.exec(QStringLiteral("DROP TABLE tab_rz"));
    EXPECT_FALSE(readDailyLog(bank.db()).ok());
    EXPECT_FALSE(readDailyLogTotals(bank.db()).ok());
}

TEST(ProgressCharts, PointColours)
{
    EXPECT_EQ(chartPointColour(0), (ChartColour { 255, 0, 0 }));
    // 80255 = 0x01397F read from the lowest byte: red 0x7F, green 0x39, blue 0x01.
    EXPECT_EQ(chartPointColour(1), (ChartColour { 0x7f, 0x39, 0x01 }));
    EXPECT_EQ(chartPointColour(2), (ChartColour { 0xff, 0x71, 0x02 }));
    // 255 + 80000 × 210 = 0x10059FF passes 0xFFFFFF: only the three colour bytes are read.
    EXPECT_EQ(chartPointColour(210), (ChartColour { 0xff, 0x59, 0x00 }));
}

TEST(ProgressCharts, ProgressPercentIsTruncated)
{
    EXPECT_EQ(progressPercent(13, 40), 32);
    EXPECT_EQ(progressPercent(0, 40), 0);
    EXPECT_EQ(progressPercent(40, 40), 100);
    EXPECT_EQ(progressPercent(2, 3), 66);
    EXPECT_EQ(progressPercent(0, 0), std::nullopt);
    EXPECT_EQ(progressPercent(5, -1), std::nullopt);
}

TEST(ProgressCharts, SeriesFromTheChartedChapters)
{
    test::TestBank bank;
    // bh puts the rows out of code order; only C7 = '0' rows are charted.
    bank.exec(QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C2, C3, C4, D1, D2, C7) VALUES "
                             "(3, '1010', '第二章', 40, 13, 30, 12, '0'), "
                             "(1, '1020', '第一章', 10, 10, 25, 5, '0'), "
                             "(2, '1030', '空章', 0, 0, 0, 0, '0'), "
                             "(4, '1', '科目一', 50, 23, 55, 17, NULL), "
                             "(5, '101010', '第一节', 40, 13, 30, 12, '1')"));
    const Result<ProgressChartData> data = readProgressCharts(bank.db());
    ASSERT_TRUE(data.ok()) << data.reason().toStdString();

    const QStringList labels { QStringLiteral("第一章"), QStringLiteral("空章"), QStringLiteral("第二章") };
    auto labelsOf = [](const QList<ChartPoint> &points) {
        QStringList out;
        for (const ChartPoint &p : points)
            out << p.label;
        return out;
    };
    auto valuesOf = [](const QList<ChartPoint> &points) {
        QList<qint64> out;
        for (const ChartPoint &p : points)
            out << p.value;
        return out;
    };
    EXPECT_EQ(labelsOf(data->distribution), labels);
    EXPECT_EQ(valuesOf(data->distribution), (QList<qint64> { 10, 0, 40 }));
    EXPECT_EQ(labelsOf(data->answers), labels);
    EXPECT_EQ(valuesOf(data->answers), (QList<qint64> { 25, 0, 30 }));
    EXPECT_EQ(valuesOf(data->wrongAnswers), (QList<qint64> { 5, 0, 12 }));
    // The empty chapter has no progress point, and the next keeps its own colour.
    EXPECT_EQ(labelsOf(data->progress), (QStringList { QStringLiteral("第一章"), QStringLiteral("第二章") }));
    EXPECT_EQ(valuesOf(data->progress), (QList<qint64> { 100, 32 }));
    EXPECT_EQ(data->progress.at(1).colour, chartPointColour(2));
    EXPECT_EQ(data->distribution.at(1).colour, chartPointColour(1));
    EXPECT_EQ(data->totalQuestions, 50);
}

TEST(ProgressCharts, NoChartedRowsGiveEmptyCharts)
{
    test::TestBank bank;
    const Result<ProgressChartData> data = readProgressCharts(bank.db());
    ASSERT_TRUE(data.ok());
    EXPECT_TRUE(data->distribution.isEmpty());
    EXPECT_TRUE(data->progress.isEmpty());
    EXPECT_EQ(data->totalQuestions, 0);
}

// A small bank with known answers, log days and papers.
class ReadinessTest : public ::testing::Test
{
protected:
    void question(const QString &id, const QVariant &lastAnswer, int flag = 0)
    {
        bank.exec(
            QStringLiteral(
                "INSERT INTO tab_answ (A1, A2, A10, A13, E2, F1) VALUES (?1, 'A', '101010', 61, ?2, ?3)"),
            { id, lastAnswer, flag });
    }
    void logDay(int daysAgo, int answers)
    {
        bank.exec(QStringLiteral("INSERT INTO tab_rz (A1, A2) VALUES (?1, ?2)"),
            { iso(Today.addDays(-daysAgo)), answers });
    }
    void paper(int number, const QVariant &score)
    {
        bank.exec(QStringLiteral("INSERT INTO tab_cj (A1, A3_1, A6) VALUES (?1, ?2, ?3)"),
            { QStringLiteral("tab_exam%1").arg(number), number, score });
    }
    void plan(const QString &examDate, int passMark)
    {
        bank.exec(QStringLiteral("INSERT INTO tab_plan (PlanMark, ExamDate, LeastMark) VALUES (0, ?1, ?2)"),
            { examDate, passMark });
    }

    test::TestBank bank;
};

TEST_F(ReadinessTest, FiguresOfAKnownBank)
{
    // 10 questions: 2 voided, 4 never answered (null, empty, "zero"), 4 answered of which 1 wrong.
    question(QStringLiteral("Q01"), QVariant());
    question(QStringLiteral("Q02"), QString());
    question(QStringLiteral("Q03"), QStringLiteral("zero"));
    question(QStringLiteral("Q04"), QVariant());
    question(QStringLiteral("Q05"), QStringLiteral("A"));
    question(QStringLiteral("Q06"), QStringLiteral("A"));
    question(QStringLiteral("Q07"), QStringLiteral("A"));
    question(QStringLiteral("Q08"), QStringLiteral("B"));
    question(QStringLiteral("Q09"), QStringLiteral("B"), 1);
    question(QStringLiteral("Q10"), QVariant(), 1);
    // 14 days from 13 days ago to today: 7 answers in all; the day 14 days ago is outside.
    logDay(0, 3);
    logDay(13, 4);
    logDay(14, 1000);
    logDay(-1, 1000); // a row dated tomorrow (a clock set back) is not part of the pace
    paper(1, 40.0);
    for (int n = 2; n <= 7; ++n)
        paper(n, 50.0 + 5 * n); // 60 65 70 75 80 85
    paper(8, QVariant()); // never graded
    plan(QStringLiteral("2027-01-09"), 70);

    const Result<Readiness> r = readReadiness(bank.db(), Today);
    ASSERT_TRUE(r.ok()) << r.reason().toStdString();
    EXPECT_EQ(r->questions, 8);
    EXPECT_EQ(r->neverAnswered, 4);
    EXPECT_EQ(r->lastAnswerWrong, 1);
    ASSERT_TRUE(r->wrongShare.has_value());
    EXPECT_DOUBLE_EQ(*r->wrongShare, 25.0);
    ASSERT_EQ(r->dailyAnswers.size(), 14);
    EXPECT_EQ(r->dailyAnswers.first(), 4);
    EXPECT_EQ(r->dailyAnswers.last(), 3);
    EXPECT_DOUBLE_EQ(r->answersPerDay, 0.5);
    // 4 questions at half a question a day: 8 days.
    EXPECT_EQ(r->allSeenDay, Today.addDays(8));
    EXPECT_EQ(r->daysToExam, 30);
    EXPECT_EQ(r->neededPerDay, 1); // 4 over 30 days, rounded up
    EXPECT_EQ(r->lastScores, (QList<double> { 65, 70, 75, 80, 85 }));
    EXPECT_EQ(r->passMark, 70);
    EXPECT_EQ(r->passedPapers, 4);
    EXPECT_EQ(r->trend, Readiness::Trend::Rising);

    const QStringList lines = r->sentences();
    EXPECT_EQ(lines.at(0), QStringLiteral("题库共有 8 道题，还有 4 道从未做过。"));
    EXPECT_EQ(lines.at(1), QStringLiteral("最近 14 天平均每天做题 0.5 道次。"));
    EXPECT_EQ(
        lines.at(2), QStringLiteral("照这个速度，2026年12月18日能把所有题目都做一遍，比考试日早 22 天。"));
    EXPECT_EQ(lines.at(3), QStringLiteral("做过的题目中，最近一次答错的有 1 道，占 25.0%。"));
    EXPECT_EQ(lines.at(4),
        QStringLiteral("最近 5 次模拟考试得分：65、70、75、80、85（及格线 70 分），4 次及格，成绩在上升。"));
}

TEST_F(ReadinessTest, EmptyBankAndUnknownExamDate)
{
    plan(QStringLiteral("不知道"), 60);
    const Result<Readiness> r = readReadiness(bank.db(), Today);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->questions, 0);
    EXPECT_FALSE(r->wrongShare.has_value());
    EXPECT_FALSE(r->allSeenDay.has_value());
    EXPECT_FALSE(r->neededPerDay.has_value());
    EXPECT_EQ(r->trend, Readiness::Trend::None);
    EXPECT_EQ(r->sentences(),
        (QStringList { QStringLiteral("题库中还没有可做的题目。"),
            QStringLiteral("最近 14 天平均每天做题 0.0 道次。"), QStringLiteral("还没有模拟考试成绩。") }));
}

TEST_F(ReadinessTest, NoPaceAndLateProjection)
{
    for (int i = 0; i < 30; ++i)
        question(QStringLiteral("N%1").arg(i), QVariant());
    plan(QStringLiteral("2026-12-20"), 60);
    Result<Readiness> r = readReadiness(bank.db(), Today);
    ASSERT_TRUE(r.ok());
    EXPECT_FALSE(r->allSeenDay.has_value());
    EXPECT_EQ(r->neededPerDay, 3);
    EXPECT_TRUE(
        r->sentences().contains(QStringLiteral("最近 14 天没有做题，无法估计何时能把题目都做一遍。")));
    EXPECT_TRUE(r->sentences().contains(QStringLiteral("要在考试前做完，每天至少需要做 3 道新题。")));

    logDay(1, 14); // one a day: 30 days, 20 days after the exam
    paper(1, 90.5);
    r = readReadiness(bank.db(), Today);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->allSeenDay, Today.addDays(30));
    EXPECT_TRUE(r->sentences().contains(
        QStringLiteral("照这个速度，2027年1月9日能把所有题目都做一遍，比考试日晚 20 天。")));
    EXPECT_TRUE(
        r->sentences().contains(QStringLiteral("最近 1 次模拟考试得分：90.5（及格线 60 分），1 次及格。")));
}

TEST(ReadinessTrend, SlopeOfTheLastScores)
{
    using T = Readiness::Trend;
    const struct
    {
        QList<double> scores;
        T trend;
    } cases[] = {
        { {}, T::None },
        { { 70 }, T::None },
        { { 60, 61 }, T::Rising },
        { { 60, 60.5 }, T::Steady },
        { { 80, 60, 80, 60, 80 }, T::Steady },
        { { 90, 80, 85, 70, 60 }, T::Falling },
        { { 50, 70, 60, 80, 75 }, T::Rising },
    };
    for (const auto &c : cases)
        EXPECT_EQ(scoreTrend(c.scores), c.trend) << c.scores.size();
}

} // namespace
} // namespace vorlane
