#include "BenchBank.h"

#include "core/store/Schema.h"
#include "demobank/DemoBank.h"

#include <QDir>

namespace vorlane::bench {

QString benchDirTemplate(const char *name)
{
    return qEnvironmentVariable("VORLANE_BENCH_DIR", QDir::tempPath()) + QStringLiteral("/vorlane-")
        + QLatin1String(name) + QStringLiteral("-XXXXXX");
}

void makeBenchBank(const QString &path, int questions)
{
    if (const Status made = demo::makeDemoBank(path, demo::DemoBankOptions { .questions = questions }); !made)
        qFatal("demo bank: %s", qPrintable(made.reason()));
}

std::shared_ptr<Database> openBenchBank(const QString &path)
{
    auto opened = openBank(path);
    if (!opened)
        qFatal("%s", qPrintable(opened.reason()));
    return *opened;
}

DemoBenchBank::DemoBenchBank(const char *name, int questions)
    : dir(benchDirTemplate(name))
    , path(dir.filePath(QString::fromLatin1(bank::FileName)))
{
    if (!dir.isValid())
        qFatal("no bench folder: %s", qPrintable(dir.errorString()));
    makeBenchBank(path, questions);
    db = openBenchBank(path);
}

} // namespace vorlane::bench
