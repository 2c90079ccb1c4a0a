#include "core/store/Schema.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const qsizetype out = args.indexOf(QStringLiteral("--out"));
    if (out < 0 || out + 1 >= args.size()) {
        QTextStream(stderr) << "usage: vorlane_demobank --out FILE\n";
        return 2;
    }
    const QString path = args.at(out + 1);
    QFile::remove(path);
    const vorlane::Status created = vorlane::createEmptyBank(path);
    if (!created) {
        QTextStream(stderr) << created.reason() << '\n';
        return 1;
    }
    return 0;
}
