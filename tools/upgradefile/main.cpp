#include "upgradefile/UpgradeFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Makes a sample upgrade file for the demo question bank."));
    parser.addHelpOption();
    const vorlane::demo::UpgradeFileOptions defaults;
    const QCommandLineOption out(QStringLiteral("out"),
        QStringLiteral("The upgrade file to make (replaced)."), QStringLiteral("FILE"));
    const QCommandLineOption questions(QStringLiteral("questions"),
        QStringLiteral("Number of new questions; 0 gives as many as the demo bank holds."),
        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the random choices."),
        QStringLiteral("S"), QString::number(defaults.seed));
    const QCommandLineOption sjbs(QStringLiteral("sjbs"), QStringLiteral("Identifier of the upgrade."),
        QStringLiteral("ID"), defaults.sjbs);
    const QCommandLineOption cpbs(QStringLiteral("cpbs"), QStringLiteral("Identifier of the product."),
        QStringLiteral("ID"), defaults.cpbs);
    parser.addOptions({ out, questions, seed, sjbs, cpbs });
    parser.process(app);

    QTextStream err(stderr);
    bool questionsOk = false, seedOk = false;
    vorlane::demo::UpgradeFileOptions options;
    options.questions = parser.value(questions).toInt(&questionsOk);
    options.seed = parser.value(seed).toUInt(&seedOk);
    options.sjbs = parser.value(sjbs);
    options.cpbs = parser.value(cpbs);
    if (!parser.isSet(out) || parser.value(out).isEmpty() || !questionsOk || options.questions < 0
        || !seedOk) {
        err << "usage: vorlane_upgradefile --out FILE [--questions N] [--seed S] [--sjbs ID] [--cpbs ID]\n";
        return 2;
    }

    const QString path = parser.value(out);
    QFile::remove(path);
    QElapsedTimer timer;
    timer.start();
    const vorlane::Status made = vorlane::demo::makeUpgradeFile(path, options);
    if (!made) {
        err << made.reason() << '\n';
        return 1;
    }
    QTextStream(stdout) << "made " << path << " in " << timer.elapsed() << " ms\n";
    return 0;
}
