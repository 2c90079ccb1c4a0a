// What merging an upgrade file costs: a 10 000-question upgrade file into the 100 000-question
// demo bank, with the snapshot made before it and the recount of every counter inside it.
//
//   vorlane_bench --benchmark_filter=Upgrade     VORLANE_BENCH_DIR=folder puts the banks there

#include "BenchBank.h"
#include "demobank/DemoBank.h"
#include "upgradefile/UpgradeFile.h"

#include "core/Clock.h"
#include "core/settings/BankUpgrade.h"
#include "core/store/BankSnapshots.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

#include <unistd.h>

using namespace vorlane;

namespace {

struct UpgradeBenchFiles
{
    QTemporaryDir dir;
    QString pristine;
    QString upgrade;

    UpgradeBenchFiles()
        : dir(bench::benchDirTemplate("upgrade"))
    {
        pristine = dir.filePath(QStringLiteral("pristine.db"));
        bench::makeBenchBank(pristine);
        // A bank in use is in WAL, as the program leaves it.
        bench::openBenchBank(pristine);
        upgrade = dir.filePath(QStringLiteral("upgrade.db"));
        demo::UpgradeFileOptions options;
        options.questions = 10000;
        if (const Status made = demo::makeUpgradeFile(upgrade, options); !made)
            qFatal("%s", qPrintable(made.reason()));
    }

    // The working copy of the bank and its snapshots go before each run.
    void clearWork()
    {
        QDir(dir.filePath(QStringLiteral("snapshots"))).removeRecursively();
        for (const QString &name :
            QDir(dir.path()).entryList({ QStringLiteral("ZRVTQM602941*") }, QDir::Files))
            QFile::remove(dir.filePath(name));
    }

    // A new working copy of the pristine bank at work, opened; called with the timing paused.
    std::shared_ptr<Database> openFreshCopy(const QString &work)
    {
        clearWork();
        if (!QFile::copy(pristine, work))
            qFatal("cannot copy the bank");
        auto db = Database::open(work, bank::password());
        if (!db)
            qFatal("%s", qPrintable(db.reason()));
        // The copy's pages still waiting for the disk would otherwise be written by the first sync
        // inside the timed part.
        ::sync();
        return *db;
    }
};

UpgradeBenchFiles &upgradeFiles()
{
    static UpgradeBenchFiles files;
    return files;
}

void BM_UpgradeMerge(benchmark::State &state)
{
    UpgradeBenchFiles &files = upgradeFiles();
    const QString work = files.dir.filePath(QString::fromLatin1(bank::FileName));
    Clock clock;
    int added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto db = files.openFreshCopy(work);
        state.ResumeTiming();
        const settings::UpgradeReport report = settings::BankUpgrade(*db, clock).apply(files.upgrade);
        state.PauseTiming();
        if (report.outcome != settings::UpgradeOutcome::Succeeded)
            qFatal("%s %s", qPrintable(report.message), qPrintable(report.detail));
        added = report.questionsAdded;
        db.reset();
        state.ResumeTiming();
    }
    state.counters["added"] = added;
}
BENCHMARK(BM_UpgradeMerge)->Unit(benchmark::kMillisecond)->Iterations(3);

// The snapshot alone, which BM_UpgradeMerge includes: the merge itself is the difference.
void BM_UpgradeSnapshotOnly(benchmark::State &state)
{
    UpgradeBenchFiles &files = upgradeFiles();
    const QString work = files.dir.filePath(QString::fromLatin1(bank::FileName));
    Clock clock;
    for (auto _ : state) {
        state.PauseTiming();
        auto db = files.openFreshCopy(work);
        state.ResumeTiming();
        const Result<SnapshotInfo> taken
            = BankSnapshots(work, clock).take(*db, SnapshotReason::BeforeUpgrade);
        if (!taken)
            qFatal("%s", qPrintable(taken.reason()));
        state.PauseTiming();
        db.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UpgradeSnapshotOnly)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
