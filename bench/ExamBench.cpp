// What a mock paper costs on a 100 000-question demo bank: making a 100-question paper up to
// its first question ready to show, and grading it.
//
//   vorlane_bench --benchmark_filter=Exam     VORLANE_BENCH_DIR=folder puts the bank there

#include "BenchBank.h"

#include "core/Clock.h"
#include "core/exam/ExamPaper.h"
#include "core/exam/PaperGenerator.h"
#include "core/store/Database.h"
#include "core/store/ProgressCounters.h"
#include "core/store/Schema.h"

#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace vorlane;

namespace {

struct ExamBenchBank : bench::DemoBenchBank
{
    Clock clock;
    QRandomGenerator random { 20261210 };

    ExamBenchBank()
        : DemoBenchBank("exam")
    {
        // A bank made by createEmptyBank is in WAL; the demo maker leaves its file in rollback
        // mode, which costs several syncs per commit. VORLANE_BENCH_JOURNAL=keep measures that.
        if (qEnvironmentVariable("VORLANE_BENCH_JOURNAL") != QLatin1String("keep"))
            db->execScript(QStringLiteral("PRAGMA journal_mode=WAL"));
        db->execScript(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        std::fprintf(stderr, "exam bench bank: %lld questions\n",
            db->scalar(QStringLiteral("SELECT count(*) FROM tab_answ")).toLongLong());
    }

    // Makes a paper of subject 2 (100 questions) and opens it as the window does before it
    // shows question 1: rows, the first body, the type heading.
    exam::PaperIdentity makeAndOpen(exam::ExamPaper &paper)
    {
        const Result<exam::PaperIdentity> made = exam::PaperGenerator(*db, clock, random).generate(2);
        if (!made)
            qFatal("%s", qPrintable(made.reason()));
        if (!paper.open(*made))
            qFatal("paper cannot be opened");
        benchmark::DoNotOptimize(paper.questionText(1));
        benchmark::DoNotOptimize(exam::typeHeadingFor(*db, 2, paper.question(1).type));
        return *made;
    }
};

ExamBenchBank &examBank()
{
    static ExamBenchBank bank;
    return bank;
}

void BM_ExamGeneratePaper(benchmark::State &state)
{
    ExamBenchBank &bank = examBank();
    int questions = 0;
    for (auto _ : state) {
        exam::ExamPaper paper(*bank.db, bank.clock);
        const exam::PaperIdentity made = bank.makeAndOpen(paper);
        questions = paper.questionCount();
        state.PauseTiming();
        ProgressCounters(*bank.db, bank.clock).dropPaperTable(made.table);
        state.ResumeTiming();
    }
    state.counters["questions"] = questions;
}
BENCHMARK(BM_ExamGeneratePaper)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ExamGradePaper(benchmark::State &state)
{
    ExamBenchBank &bank = examBank();
    for (auto _ : state) {
        state.PauseTiming();
        exam::ExamPaper paper(*bank.db, bank.clock);
        const exam::PaperIdentity made = bank.makeAndOpen(paper);
        for (int row = 1; row <= paper.questionCount(); row += 2)
            paper.saveAnswer(row, QStringLiteral("A"));
        state.ResumeTiming();
        const Result<exam::GradeResult> graded = paper.grade(2, QStringLiteral("1:30:00"));
        if (!graded)
            qFatal("grading failed");
        benchmark::DoNotOptimize(graded->score);
        state.PauseTiming();
        ProgressCounters(*bank.db, bank.clock).dropPaperTable(made.table);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ExamGradePaper)->Unit(benchmark::kMillisecond)->Iterations(20);

// One answer of the exam: the paper row, the question's own row and every counter.
void BM_ExamSaveAnswer(benchmark::State &state)
{
    ExamBenchBank &bank = examBank();
    exam::ExamPaper paper(*bank.db, bank.clock);
    const exam::PaperIdentity made = bank.makeAndOpen(paper);
    int row = 0;
    bool flip = false;
    for (auto _ : state) {
        row = row % paper.questionCount() + 1;
        if (row == 1)
            flip = !flip;
        paper.saveAnswer(row, flip ? QStringLiteral("A") : QStringLiteral("B"));
    }
    ProgressCounters(*bank.db, bank.clock).dropPaperTable(made.table);
}
BENCHMARK(BM_ExamSaveAnswer)->Unit(benchmark::kMillisecond);

} // namespace
