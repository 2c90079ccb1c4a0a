#pragma once

#include "core/store/Database.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vorlane::bench {

// The size of bank every figure is taken on.
constexpr int BenchQuestions = 100000;

// A temporary folder named after the benchmark, in VORLANE_BENCH_DIR when it is set (a real
// disk, not tmpfs, or the syncs cost nothing), removed when the benchmark ends.
QString benchDirTemplate(const char *name);

// The demo-bank maker's bank at path; a bank that cannot be made ends the run.
void makeBenchBank(const QString &path, int questions = BenchQuestions);

// Opens a bank as the program does; a bank that cannot be opened ends the run.
std::shared_ptr<Database> openBenchBank(const QString &path);

// The demo bank made in a folder of its own and opened, which each benchmark's fixture then
// prepares further.
struct DemoBenchBank
{
    QTemporaryDir dir;
    QString path;
    std::shared_ptr<Database> db;

    explicit DemoBenchBank(const char *name, int questions = BenchQuestions);
};

} // namespace vorlane::bench
