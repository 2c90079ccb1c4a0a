// What the laws browser waits on for a 100 000-question demo bank: the catalogue, opening a
// law, the key-point toggle, an article's practice list, and the phrase search of the bank.
//
//   vorlane_bench --benchmark_filter=Laws     VORLANE_BENCH_DIR=folder puts the bank there

#include "BenchBank.h"

#include "core/Clock.h"
#include "core/laws/Articles.h"
#include "core/laws/BankSearch.h"
#include "core/laws/LawCatalogue.h"
#include "core/practice/PracticeSession.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"

#include <benchmark/benchmark.h>

using namespace vorlane;

namespace {

struct LawsBenchBank : bench::DemoBenchBank
{
    FixedClock clock { QDateTime(QDate(2026, 3, 14), QTime(9, 0)) };
    LawRow law; // the law with the most questions
    QString article; // its article with the most questions

    LawsBenchBank()
        : DemoBenchBank("laws")
    {
        const Result<QList<LawRow>> catalogue = loadLawCatalogue(*db);
        for (const LawRow &row : *catalogue)
            if (!row.isHeading() && row.counters.questions > law.counters.questions)
                law = row;
        Statement top
            = db->prepare(QStringLiteral("SELECT ftid FROM tab_rule WHERE id = ?1 ORDER BY q DESC LIMIT 1"));
        top.bind(1, law.id);
        top.next();
        article = top.text(0);
    }
};

LawsBenchBank &benchBank()
{
    static LawsBenchBank bank;
    return bank;
}

void LawsOpenBrowser(benchmark::State &state)
{
    LawsBenchBank &bank = benchBank();
    for (auto _ : state)
        benchmark::DoNotOptimize(loadLawCatalogue(*bank.db));
}
BENCHMARK(LawsOpenBrowser)->Unit(benchmark::kMillisecond);

void LawsOpenLaw(benchmark::State &state)
{
    LawsBenchBank &bank = benchBank();
    for (auto _ : state)
        benchmark::DoNotOptimize(OpenLaw::open(*bank.db, bank.law));
}
BENCHMARK(LawsOpenLaw)->Unit(benchmark::kMillisecond);

void LawsToggleKeyPoints(benchmark::State &state)
{
    LawsBenchBank &bank = benchBank();
    Result<OpenLaw> law = OpenLaw::open(*bank.db, bank.law);
    for (auto _ : state)
        benchmark::DoNotOptimize(law.value().toggleKeyPoints());
    state.counters["articles"] = double(law->shown().size());
}
BENCHMARK(LawsToggleKeyPoints)->Unit(benchmark::kMicrosecond);

// The article's list with the in-window answers cleared, as the practice window opens it.
void LawsArticleList(benchmark::State &state)
{
    LawsBenchBank &bank = benchBank();
    PracticeSession session(*bank.db, bank.clock);
    for (auto _ : state)
        benchmark::DoNotOptimize(session.openQuestionList(QuestionListQuery::article(bank.article)));
    state.counters["listed"] = session.count();
}
BENCHMARK(LawsArticleList)->Unit(benchmark::kMillisecond);

// Phrases from rare to found in most questions, one and two characters long.
void LawsSearch(benchmark::State &state)
{
    static const char *const phrases[] = { "驾驶人员连续驾驶", "仓储经营", "备案", "合同", "的", "规" };
    LawsBenchBank &bank = benchBank();
    const QString phrase = QString::fromUtf8(phrases[state.range(0)]);
    BankSearch search(*bank.db);
    Result<SearchResult> result = search.find(phrase);
    for (auto _ : state) {
        result = search.find(phrase);
        benchmark::DoNotOptimize(result);
    }
    state.SetLabel(phrase.toStdString());
    state.counters["articles"] = double(result->articles.size());
    state.counters["questions"] = double(result->questions.size());
}
BENCHMARK(LawsSearch)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// Indexing the whole bank: what a bank made before the search existed costs once.
void LawsBuildIndex(benchmark::State &state)
{
    LawsBenchBank &bank = benchBank();
    for (auto _ : state)
        if (const Status built = BankSearch(*bank.db).rebuild(); !built)
            state.SkipWithError(qPrintable(built.reason()));
}
BENCHMARK(LawsBuildIndex)->Iterations(1)->Unit(benchmark::kMillisecond);

// The plain scan the index replaces: instr over every question body (markup included).
void LawsSearchByScan(benchmark::State &state)
{
    LawsBenchBank &bank = benchBank();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            bank.db->scalar(QStringLiteral("SELECT count(*) FROM tab_exer WHERE instr(A15, ?1) > 0"),
                { QStringLiteral("仓储经营") }));
}
BENCHMARK(LawsSearchByScan)->Unit(benchmark::kMillisecond);

} // namespace
