#include "core/settings/StartupRules.h"

#include "core/store/Database.h"
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

} // namespace vorlane
