// What adding questions costs on the 100 000-question demo bank: one question saved from the
// entry window, a spreadsheet import of 9 999 rows (all the user sequences there are), an
// edit's recount and a full recount of every question count.
//
//   vorlane_bench --benchmark_filter=Authoring    VORLANE_BENCH_DIR=folder as for StoreBench

#include "BenchBank.h"

#include "core/authoring/QuestionAuthoring.h"
#include "core/authoring/QuestionImport.h"
#include "core/store/Database.h"
#include "core/store/QuestionCounts.h"
#include "core/store/Schema.h"

#include <benchmark/benchmark.h>

using namespace vorlane;

namespace {

struct AuthoringBenchBank : bench::DemoBenchBank
{
    QStringList chapters;
    QStringList articles;

    AuthoringBenchBank()
        : DemoBenchBank("authoring-bench")
    {
        Statement codes
            = db->prepare(QStringLiteral("SELECT C1 FROM tab_kmmc WHERE length(C1)=6 ORDER BY C1"));
        while (codes.next())
            chapters << codes.text(0);
        Statement keys = db->prepare(QStringLiteral("SELECT ftid FROM tab_rule ORDER BY ftid"));
        while (keys.next())
            articles << keys.text(0);
    }

    void removeUserQuestions()
    {
        db->exec(QStringLiteral("DELETE FROM tab_exer WHERE A1 LIKE 'US%'"));
        db->exec(QStringLiteral("DELETE FROM tab_answ WHERE A1 LIKE 'US%'"));
        QuestionCounts(*db).recountAll();
    }

    QuestionDraft draft(int i) const
    {
        QuestionDraft d;
        d.bodyHtml
            = QStringLiteral("<p>第%1题：下列说法<b>正确</b>的是？</p><p>A. 甲</p><p>B. 乙</p>").arg(i);
        d.explanationHtml = QStringLiteral("<p>解析%1</p>").arg(i);
        d.typeId = 61;
        d.optionCount = 4;
        d.key = QStringLiteral("B");
        d.examPoints = { articles.at(i % articles.size()), articles.at((i * 7 + 3) % articles.size()) };
        if (d.examPoints.at(0) == d.examPoints.at(1))
            d.examPoints.removeLast();
        return d;
    }

    QByteArray csv(int rows) const
    {
        QString text = QuestionImport::header().join(u',') + u'\n';
        for (int i = 0; i < rows; ++i) {
            const QuestionDraft d = draft(i);
            text += QStringLiteral("%1,单选,\"第%2题：下列说法正确的是？\nA. 甲\nB. 乙\",4,B,解析,%3\n")
                        .arg(chapters.at(i % chapters.size()))
                        .arg(i)
                        .arg(d.examPoints.join(u';'));
        }
        return text.toUtf8();
    }
};

AuthoringBenchBank &benchBank()
{
    static AuthoringBenchBank bank;
    return bank;
}

void BM_AuthoringSaveOneQuestion(benchmark::State &state)
{
    AuthoringBenchBank &bank = benchBank();
    bank.removeUserQuestions();
    QuestionAuthoring authoring(*bank.db, 1);
    int i = 0;
    for (auto _ : state) {
        const auto saved = authoring.saveNew(bank.chapters.at(i % bank.chapters.size()), bank.draft(i));
        if (!saved)
            state.SkipWithError(qPrintable(saved.reason()));
        ++i;
    }
}

void BM_AuthoringImport9999Rows(benchmark::State &state)
{
    AuthoringBenchBank &bank = benchBank();
    const QByteArray file = bank.csv(9999);
    for (auto _ : state) {
        state.PauseTiming();
        bank.removeUserQuestions();
        state.ResumeTiming();
        QuestionAuthoring authoring(*bank.db, 1);
        QuestionImport import(authoring);
        const auto preview = import.preview(file);
        if (!preview || preview->goodCount() != 9999) {
            state.SkipWithError(preview ? "rows refused" : qPrintable(preview.reason()));
            break;
        }
        const auto imported = import.importRows(*preview);
        if (!imported)
            state.SkipWithError(qPrintable(imported.reason()));
    }
}

void BM_AuthoringEditRecount(benchmark::State &state)
{
    AuthoringBenchBank &bank = benchBank();
    QuestionCounts counts(*bank.db);
    const QStringList points = bank.draft(5).examPoints + bank.draft(11).examPoints;
    for (auto _ : state)
        counts.recountExamPoints(points);
}

void BM_AuthoringRecountAll(benchmark::State &state)
{
    AuthoringBenchBank &bank = benchBank();
    QuestionCounts counts(*bank.db);
    for (auto _ : state) {
        Transaction transaction(*bank.db);
        counts.recountAll();
        transaction.commit();
    }
}

} // namespace

BENCHMARK(BM_AuthoringSaveOneQuestion)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(300);
BENCHMARK(BM_AuthoringImport9999Rows)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_AuthoringEditRecount)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_AuthoringRecountAll)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);
