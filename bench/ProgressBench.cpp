// What the progress windows wait on for a 100 000-question demo bank with three years of daily
// log rows: the log's rows and totals, each chart's data and the readiness figures.
//
//   vorlane_bench --benchmark_filter=Progress     VORLANE_BENCH_DIR=folder puts the bank there

#include "core/TimeText.h"
#include "core/progress/DailyLog.h"
#include "core/progress/ProgressCharts.h"
#include "core/progress/Readiness.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"
#include "demobank/DemoBank.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace vorlane;

namespace {

const QDate BenchToday(2026, 12, 10);
constexpr int LogDays = 3 * 365;

struct ProgressBenchBank
{
    QTemporaryDir dir;
    std::shared_ptr<Database> db;

    ProgressBenchBank()
        : dir(qEnvironmentVariable("VORLANE_BENCH_DIR", QDir::tempPath())
            + QStringLiteral("/vorlane-progress-XXXXXX"))
    {
        const QString path = dir.filePath(QString::fromLatin1(bank::FileName));
        const Status made = demo::makeDemoBank(path, { .questions = 100000 });
        if (!made)
            qFatal("demo bank: %s", qPrintable(made.reason()));
        db = *Database::open(path, bank::password());
        // Three years of daily practice, and answers on a fifth of the questions so the chapter
        // counters and the readiness figures have something to add up.
        Transaction transaction(*db);
        Statement day = db->prepare(QStringLiteral("INSERT INTO tab_rz VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)"));
        for (int i = 0; i < LogDays; ++i) {
            const int answers = 20 + i % 80;
            const int wrong = i % 17;
            day.bindAll({ BenchToday.addDays(-i).toString(Qt::ISODate), answers, wrong, answers - 3, wrong,
                elapsedTimeText(600 + 37 * i, HourDigits::Two), rightAnswersPercent(answers, wrong) });
            day.exec();
            day.reset();
        }
        db->exec(QStringLiteral(
            "UPDATE tab_answ SET E2=CASE WHEN rowid%3=0 THEN 'X' ELSE A2 END WHERE rowid%5=0"));
        db->exec(QStringLiteral("UPDATE tab_kmmc SET C4=C3/5, D1=C3/3, D2=C3/9"));
        transaction.commit();
    }
};

ProgressBenchBank &benchBank()
{
    static ProgressBenchBank bank;
    return bank;
}

void ProgressDailyLog(benchmark::State &state)
{
    Database &db = *benchBank().db;
    qsizetype rows = 0;
    for (auto _ : state) {
        const Result<QList<DailyLogRow>> log = readDailyLog(db);
        const Result<DailyLogTotals> totals = readDailyLogTotals(db);
        rows = log->size();
        benchmark::DoNotOptimize(totals->score);
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(ProgressDailyLog)->Unit(benchmark::kMillisecond);

void ProgressChartSeries(benchmark::State &state)
{
    Database &db = *benchBank().db;
    qsizetype points = 0;
    for (auto _ : state) {
        const Result<ProgressChartData> data = readProgressCharts(db);
        points = data->distribution.size();
        benchmark::DoNotOptimize(data->totalQuestions);
    }
    state.counters["points"] = double(points);
}
BENCHMARK(ProgressChartSeries)->Unit(benchmark::kMillisecond);

void ProgressReadiness(benchmark::State &state)
{
    Database &db = *benchBank().db;
    for (auto _ : state) {
        const Result<Readiness> readiness = readReadiness(db, BenchToday);
        benchmark::DoNotOptimize(readiness->sentences());
    }
}
BENCHMARK(ProgressReadiness)->Unit(benchmark::kMillisecond);

} // namespace
