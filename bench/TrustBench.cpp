// What keeping the bank safe costs on a 100 000-question demo bank with answers recorded:
// a checked snapshot, the check with the full page check and with the quick one, and the
// open of a snapshot for its figures in the list.
//
//   vorlane_bench --benchmark_filter=Trust     VORLANE_BENCH_DIR=folder puts the bank there

#include "BenchBank.h"

#include "core/Clock.h"
#include "core/store/BankCheck.h"
#include "core/store/BankSnapshots.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"

#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

using namespace vorlane;

namespace {

struct TrustBenchBank : bench::DemoBenchBank
{
    FixedClock clock { QDateTime(QDate(2026, 12, 10), QTime(9, 0)) };

    TrustBenchBank()
        : DemoBenchBank("trust")
    {
        // A bank in use: a tenth of the questions answered, so the counters have work.
        db->execScript(QStringLiteral("UPDATE tab_answ SET E3=2, E4=-3, E2='X' WHERE rowid % 10 = 0"));
        checkBank(*db, nullptr); // counters brought in line with those rows, once
        db->execScript(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
};

TrustBenchBank &bench()
{
    static TrustBenchBank bank;
    return bank;
}

void TrustSnapshot(benchmark::State &state)
{
    TrustBenchBank &bank = bench();
    BankSnapshots snapshots(bank.path, bank.clock);
    for (auto _ : state) {
        bank.clock.advance(24 * 3600);
        const Result<SnapshotInfo> taken = snapshots.take(*bank.db, SnapshotReason::Daily);
        if (!taken)
            state.SkipWithError(qPrintable(taken.reason()));
    }
    state.counters["MB"] = double(QFileInfo(bank.path).size()) / 1e6;
}
BENCHMARK(TrustSnapshot)->Unit(benchmark::kMillisecond)->Iterations(3);

void TrustCheck(benchmark::State &state)
{
    TrustBenchBank &bank = bench();
    BankCheckOptions options;
    options.fullPageCheck = state.range(0) != 0;
    for (auto _ : state) {
        const BankCheckReport report = checkBank(*bank.db, nullptr, options);
        if (report.outcome != BankCheckReport::Outcome::Clean)
            state.SkipWithError(qPrintable(report.text()));
    }
    state.SetLabel(options.fullPageCheck ? "integrity_check" : "quick_check");
}
BENCHMARK(TrustCheck)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);

void TrustSnapshotFigures(benchmark::State &state)
{
    TrustBenchBank &bank = bench();
    const QString copy = bank.dir.filePath(QStringLiteral("figures.db"));
    if (!QFile::exists(copy) && !copyBank(*bank.db, copy))
        state.SkipWithError("no copy");
    for (auto _ : state)
        benchmark::DoNotOptimize(BankSnapshots::answersRecorded(copy));
}
BENCHMARK(TrustSnapshotFigures)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
