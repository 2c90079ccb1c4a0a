#include "core/settings/StartupRules.h"

#include "core/store/BankFiles.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"
#include "core/store/StoreError.h"

#include <cmath>

namespace vorlane {

QString screenLayoutFor(const QSize &screenSize)
{
    if (screenSize.width() == 800 || screenSize.height() == 600)
        return QStringLiteral("800");
    return QStringLiteral("1024");
}

bool isSmallFonts(double logicalDotsPerInch)
{
    // Fractional scale factors leave the logical resolution a little off 96.
    return std::abs(logicalDotsPerInch - 96.0) < 1.0;
}

Result<QMap<int, QString>> loadSubjectTitles(Database &db)
{
    QMap<int, QString> titles;
    try {
        Statement query = db.prepare(QStringLiteral(
            "SELECT C1, C2 FROM tab_kmmc WHERE C1 IN ('1', '2', '3', '4', '5')"));
        while (query.next()) {
            const QString title = query.text(1).trimmed();
            if (!title.isEmpty())
                titles.insert(query.text(0).toInt(), title);
        }
    } catch (const StoreError &error) {
        return Result<QMap<int, QString>>::failure(error.reason());
    }
    return titles;
}

Result<std::shared_ptr<Database>> openBankAtStartup(const BankLocation &location, const QString &appDir)
{
    if (const Status seeded = seedBankIfMissing(location, appDir); !seeded)
        return seeded;
    auto opened = Database::open(location.path, bank::password());
    if (!opened)
        return opened.status();
    std::shared_ptr<Database> db = opened.value();
    try {
        for (const char *table : {"tab_kmmc", "tab_answ", "tab_plan", "tab_rz", "tab_tx1"})
            if (!db->tableExists(QLatin1String(table)))
                return Result<std::shared_ptr<Database>>::failure(
                    QStringLiteral("%1 is not a question bank (no %2)").arg(location.path, QLatin1String(table)));
    } catch (const StoreError &error) {
        return Result<std::shared_ptr<Database>>::failure(error.reason());
    }
    return db;
}

} // namespace vorlane
