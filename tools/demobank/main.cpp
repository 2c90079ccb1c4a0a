#include "demobank/DemoBank.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Makes the demo question bank."));
    parser.addHelpOption();
    const QCommandLineOption out(
        QStringLiteral("out"), QStringLiteral("The bank file to make (replaced)."), QStringLiteral("FILE"));
    const QCommandLineOption questions(QStringLiteral("questions"),
        QStringLiteral("Number of questions; 0 makes the normal demo bank."), QStringLiteral("N"),
        QStringLiteral("0"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the random choices."),
        QStringLiteral("S"), QString::number(vorlane::demo::DemoBankOptions {}.seed));
    parser.addOptions({ out, questions, seed });
    parser.process(app);

    QTextStream err(stderr);
    bool questionsOk = false, seedOk = false;
    vorlane::demo::DemoBankOptions options;
    options.questions = parser.value(questions).toInt(&questionsOk);
    options.seed = parser.value(seed).toUInt(&seedOk);
    if (!parser.isSet(out) || parser.value(out).isEmpty() || !questionsOk || options.questions < 0
        || !seedOk) {
        err << "usage: vorlane_demobank --out FILE [--questions N] [--seed S]\n";
        return 2;
    }

    const QString path = parser.value(out);
    QElapsedTimer timer;
    timer.start();
    const vorlane::Status made = vorlane::demo::replaceWithDemoBank(path, options);
    if (!made) {
        err << made.reason() << '\n';
        return 1;
    }
    QTextStream(stdout) << "made " << path << " in " << timer.elapsed() << " ms\n";
    return 0;
}
