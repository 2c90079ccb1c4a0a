// What the practice window waits on for a 100 000-question demo bank: opening a mode's list up
// to the first question's body, and moving on to the next question with the answer recorded.
//
//   vorlane_bench --benchmark_filter=Practice     VORLANE_BENCH_DIR=folder puts the bank there

#include "BenchBank.h"

#include "core/Clock.h"
#include "core/practice/Catalogue.h"
#include "core/practice/PracticeSession.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"

#include <benchmark/benchmark.h>

using namespace vorlane;

namespace {

struct PracticeBenchBank : bench::DemoBenchBank
{
    FixedClock clock { QDateTime(QDate(2026, 3, 14), QTime(9, 0)) };
    QString chapter; // the chapter with the most questions
    int chapterQuestions = 0;

    PracticeBenchBank()
        : DemoBenchBank("practice")
    {
        Statement largest = db->prepare(
            QStringLiteral("SELECT A10, count(*) FROM tab_answ GROUP BY A10 ORDER BY count(*) DESC LIMIT 1"));
        largest.next();
        chapter = largest.text(0);
        chapterQuestions = int(largest.integer(1));
    }
};

PracticeBenchBank &benchBank()
{
    static PracticeBenchBank bank;
    return bank;
}

// What the window does from a mode's click to the first question on screen, without painting:
// the list (after clearing the in-window answers), the type board's counts, the first group
// and the first question's body.
void openToFirstQuestion(PracticeSession &session, const PracticeListQuery &query)
{
    if (!session.openQuestionList(query).value())
        return;
    Result<QList<QuestionType>> types = loadQuestionTypes(*benchBank().db, 1);
    for (const QuestionType &type : *types)
        benchmark::DoNotOptimize(session.countOfType(type.id));
    session.applyTypeFilter(0);
    session.showGroup(PracticeSession::GroupMove::First);
    benchmark::DoNotOptimize(session.loadBody(session.at(1).id));
}

void PracticeOpenNewQuestions(benchmark::State &state)
{
    PracticeBenchBank &bank = benchBank();
    const bool part = state.range(0) == 1;
    const QString code = part ? bank.chapter.left(4) : bank.chapter;
    PracticeSession session(*bank.db, bank.clock);
    for (auto _ : state)
        openToFirstQuestion(session, practiceListQuery(PracticeMode::NewQuestions, code));
    state.counters["listed"] = session.count();
}
BENCHMARK(PracticeOpenNewQuestions)->Arg(0)->Arg(1)->ArgNames({ "part" })->Unit(benchmark::kMillisecond);

// Clearing the in-window answers when nothing is left from an earlier window: it must not
// grow with the bank.
void PracticeClearWindowAnswers(benchmark::State &state)
{
    PracticeBenchBank &bank = benchBank();
    for (auto _ : state)
        bank.db->exec(QStringLiteral("UPDATE tab_answ SET E2_1='' WHERE E2_1 <> ''"));
}
BENCHMARK(PracticeClearWindowAnswers)->Unit(benchmark::kMicrosecond);

// "下一题": the question left is recorded with all its counters in one transaction, and the
// next one's body is read.
void PracticeNextQuestion(benchmark::State &state)
{
    PracticeBenchBank &bank = benchBank();
    PracticeSession session(*bank.db, bank.clock);
    const PracticeListQuery query {
        QStringLiteral("select a1,a2,a2_1,k3,k4,k5,k6,k7,k8,k9,k10,k11,k12,a10,a13,a14,e1,e2,e2_1,e3,e4,f1,"
                       "xx,csbs,ecount from tab_answ where A10 >= '1' order by a1 limit 5000"),
        {}
    };
    session.openQuestionList(query);
    session.showGroup(PracticeSession::GroupMove::First);
    int position = 1;
    for (auto _ : state) {
        const Result<RecordOutcome> recorded = session.recordAnswer(position, QStringLiteral("A"));
        if (!recorded)
            state.SkipWithError(qPrintable(recorded.reason()));
        position = position % session.count() + 1;
        benchmark::DoNotOptimize(session.loadBody(session.at(position).id));
        if (position == 1) { // every answer counts again in a new window
            state.PauseTiming();
            session.openQuestionList(query);
            state.ResumeTiming();
        }
    }
}
BENCHMARK(PracticeNextQuestion)->Unit(benchmark::kMillisecond);

} // namespace
