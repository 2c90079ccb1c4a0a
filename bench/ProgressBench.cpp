// What the progress windows wait on for a 100 000-question demo bank with three years of daily
// log rows: the log's rows and totals, each chart's data and the readiness figures, and the
// windows themselves made and painted offscreen (the log window, and each chart drawn whole).
//
//   vorlane_bench --benchmark_filter=Progress     VORLANE_BENCH_DIR=folder puts the bank there

#include "BenchBank.h"

#include "core/AppState.h"
#include "core/Clock.h"
#include "core/TimeText.h"
#include "core/progress/DailyLog.h"
#include "core/progress/ProgressCharts.h"
#include "core/progress/Readiness.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"
#include "ui/progress/DailyLogWindow.h"
#include "ui/progress/ScoreChartPage.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace vorlane;

namespace {

const QDate BenchToday(2026, 12, 10);
constexpr int LogDays = 3 * 365;

struct ProgressBenchBank : bench::DemoBenchBank
{
    ProgressBenchBank()
        : DemoBenchBank("progress")
    {
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

// Windows need an application; the benchmark has none of its own, so one offscreen is made
// on first use and kept.
QApplication &application()
{
    static int argc = 1;
    static char name[] = "vorlane_bench";
    static char *argv[] = { name, nullptr };
    if (!QApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // The offscreen platform says at every window that it cannot pass on size hints.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (!text.contains(QLatin1String("propagateSizeHints")))
                fprintf(stderr, "%s%s\n", type >= QtWarningMsg ? "warning: " : "", qPrintable(text));
        });
    }
    static QApplication app(argc, argv);
    return app;
}

struct WindowBench
{
    AppState state;
    FixedClock clock { QDateTime(BenchToday, QTime(9, 0)) };
    ui::ModalRunner modal;
    ui::PromptDialog prompt { modal };
    ui::ProgressWindow progress;
    ui::UiContext context { state, *benchBank().db, clock, prompt, progress, modal };
};

// From "rz" to the log painted: the window made over three years of rows, shown and drawn.
void ProgressLogWindow(benchmark::State &state)
{
    application();
    WindowBench bench;
    for (auto _ : state) {
        ui::DailyLogWindow window(bench.context);
        window.setAttribute(Qt::WA_DontShowOnScreen);
        window.show();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(ProgressLogWindow)->Unit(benchmark::kMillisecond);

// One chart from the bank's rows to the finished picture, with depth, legend and labels.
void ProgressChartDrawn(benchmark::State &state)
{
    application();
    const auto kind = ui::ScoreChartKind(state.range(0));
    for (auto _ : state) {
        const Result<ProgressChartData> data = readProgressCharts(*benchBank().db);
        ui::ScoreChartPage page(kind, *data);
        page.resize(783, 559);
        page.setAttribute(Qt::WA_DontShowOnScreen);
        page.show();
        benchmark::DoNotOptimize(page.picture());
    }
}
BENCHMARK(ProgressChartDrawn)
    ->Arg(int(ui::ScoreChartKind::Frequency))
    ->Arg(int(ui::ScoreChartKind::Distribution))
    ->Arg(int(ui::ScoreChartKind::Progress))
    ->ArgNames({ "kind" })
    ->Unit(benchmark::kMillisecond);

} // namespace
