// What one recorded answer costs on a large bank, beside the cheapest durable write.
//
//   vorlane_bench [--benchmark_...]     VORLANE_BENCH_DIR=folder puts the bank there (a real
//                                       disk, not tmpfs, or the syncs cost nothing);
//                                       VORLANE_BENCH_PRAGMAS="PRAGMA ..." runs after opening
//                                       (synchronous=OFF shows the cost without the sync).
// The machine is shared: compare the two with --benchmark_repetitions=5
// --benchmark_enable_random_interleaving=true, so that both see the same load.

#include "BenchBank.h"

#include "core/Clock.h"
#include "core/answer/AnswerEffect.h"
#include "core/store/Database.h"
#include "core/store/ProgressCounters.h"
#include "core/store/Schema.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

using namespace vorlane;

namespace {

constexpr int QuestionCount = 100000;

// The demo-bank maker's bank with 100 000 questions.
struct BenchBank : bench::DemoBenchBank
{
    QStringList questions;
    Clock clock;
    std::unique_ptr<ProgressCounters> counters;

    BenchBank()
        : DemoBenchBank("bench", QuestionCount)
    {
        if (const QString pragmas = qEnvironmentVariable("VORLANE_BENCH_PRAGMAS"); !pragmas.isEmpty())
            db->execScript(pragmas);
        Statement ids = db->prepare(QStringLiteral("SELECT A1 FROM tab_answ ORDER BY A1"));
        while (ids.next())
            questions << ids.text(0);
        if (questions.isEmpty())
            qFatal("the bench bank has no questions");
        counters = std::make_unique<ProgressCounters>(*db, clock);
        std::fprintf(stderr, "bench bank: %s, %lld questions\n", qPrintable(path), qint64(questions.size()));
    }
};

BenchBank &benchBank()
{
    static BenchBank bank;
    return bank;
}

// Spreads the questions answered over the whole bank, so that pages are not all warm.
const QString &nextQuestion(const BenchBank &bank, int &cursor)
{
    cursor = int((cursor + 7919) % bank.questions.size());
    return bank.questions.at(cursor);
}

// One answer as practice and exam record it: read the question's row, let the answer-effect
// rule decide, write the row and move every counter, all in one durable transaction.
void recordAnswer(BenchBank &bank, const QString &id, bool answerRight)
{
    Database &db = *bank.db;
    Transaction transaction(db);
    Statement row = db.cached("SELECT A2, A10, E1, E2, E3, E4, K3, K4, K5, K6, K7, K8, K9, K10, K11, K12 "
                              "FROM tab_answ WHERE A1=?1");
    row.bind(1, id);
    if (!row.next())
        qFatal("no question %s", qPrintable(id));
    const AnswerRow stored { row.text(0), row.text(2), row.text(3), QString(), int(row.integer(4)),
        int(row.integer(5)) };
    const QString chapter = row.text(1);
    QStringList points;
    for (int k = 6; k < 16; ++k)
        points << row.text(k);
    row.reset();

    const QString answer = answerRight ? stored.key : QStringLiteral("F");
    const AnswerEffect effect = answerEffect(stored, answer, bank.clock.today());
    bank.counters->countAnswer(chapter, points, effect.flags);
    db.cached("UPDATE tab_answ SET E2_1=?2, E2=?2, E1=?3, E3=?4, E4=?5 WHERE A1=?1")
        .bind(1, id)
        .bind(2, answer)
        .bind(3, effect.row.lastDate)
        .bind(4, effect.row.attempts)
        .bind(5, effect.row.wrongScore)
        .exec();
    transaction.commit();
}

void BM_RecordAnswerWithAllCounters(benchmark::State &state)
{
    BenchBank &bank = benchBank();
    int cursor = 0;
    bool right = false;
    for (auto _ : state) {
        recordAnswer(bank, nextQuestion(bank, cursor), right);
        right = !right;
    }
}

// The same with synchronous NORMAL, for comparison only: the bank runs at FULL.
void BM_RecordAnswerSynchronousNormal(benchmark::State &state)
{
    BenchBank &bank = benchBank();
    bank.db->execScript(QStringLiteral("PRAGMA synchronous=NORMAL"));
    int cursor = 1;
    bool right = false;
    for (auto _ : state) {
        recordAnswer(bank, nextQuestion(bank, cursor), right);
        right = !right;
    }
    bank.db->execScript(QStringLiteral("PRAGMA synchronous=FULL"));
}

// The floor: the cheapest durable transaction on the same bank, one row written.
void BM_OneRowCommit(benchmark::State &state)
{
    BenchBank &bank = benchBank();
    int cursor = 0;
    for (auto _ : state) {
        Transaction transaction(*bank.db);
        bank.db->cached("UPDATE tab_answ SET E2_1=?2 WHERE A1=?1")
            .bind(1, nextQuestion(bank, cursor))
            .bind(2, QStringLiteral("A"))
            .exec();
        transaction.commit();
    }
}

} // namespace

BENCHMARK(BM_OneRowCommit)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_RecordAnswerWithAllCounters)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_RecordAnswerSynchronousNormal)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

BENCHMARK_MAIN();
