#include "core/store/BankFiles.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

// Until the main menu exists, the program opens the bank and reports what it holds.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Vorlane"));
    const QString appDir = QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
    const vorlane::BankLocation location = vorlane::locateBank(QCoreApplication::arguments(), appDir);
    QTextStream out(stdout);
    if (const vorlane::Status seeded = vorlane::seedBankIfMissing(location, appDir); !seeded) {
        out << seeded.reason() << Qt::endl;
        return 1;
    }
    auto db = vorlane::Database::open(location.path, vorlane::bank::password());
    if (!db) {
        out << QStringLiteral("无法连接数据库！") << ' ' << db.reason() << Qt::endl;
        return 1;
    }
    out << location.path << Qt::endl;
    for (const QString &table : (*db)->userTables())
        out << table << ": " << (*db)->scalar(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table)).toInt()
            << Qt::endl;
    return 0;
}
