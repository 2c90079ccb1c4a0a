// What exporting a paper costs on a 100 000-question demo bank: composing a 100-question paper
// (subject 2) with its answers, explanations and exam points, and writing it as a .docx file.
//
//   vorlane_bench --benchmark_filter=Export     VORLANE_BENCH_DIR=folder puts the bank there

#include "BenchBank.h"

#include "core/Clock.h"
#include "core/exam/PaperDocument.h"
#include "core/exam/PaperGenerator.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"
#include "document/DocxWriter.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

using namespace vorlane;

namespace {

// No application object: parsing HTML into a QTextDocument needs none, and the window
// benchmarks make the one QApplication the process may have.
struct ExportBenchBank : bench::DemoBenchBank
{
    Clock clock;
    exam::PaperIdentity paper;

    ExportBenchBank()
        : DemoBenchBank("export")
    {
        QRandomGenerator random(7);
        const Result<exam::PaperIdentity> made = exam::PaperGenerator(*db, clock, random).generate(2);
        if (!made)
            qFatal("%s", qPrintable(made.reason()));
        paper = *made;
    }
};

void BM_ExportPaper(benchmark::State &state)
{
    static ExportBenchBank bank;
    const QString file = bank.dir.filePath(QStringLiteral("paper.docx"));
    qsizetype blocks = 0;
    for (auto _ : state) {
        const auto composed
            = exam::composePaperDocument(*bank.db, bank.paper, 2, exam::ExportContent::WithAnswers);
        if (!composed)
            qFatal("%s", qPrintable(composed.reason()));
        blocks = composed->size();
        if (const Status written = document::writePaperDocument(*composed, bank.paper.title, file); !written)
            qFatal("%s", qPrintable(written.reason()));
    }
    state.counters["questions"]
        = double(bank.db->scalar(QStringLiteral("SELECT count(*) FROM ") + bank.paper.table).toLongLong());
    state.counters["blocks"] = double(blocks);
    state.counters["kB"] = double(QFileInfo(file).size()) / 1024.0;
}
BENCHMARK(BM_ExportPaper)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
