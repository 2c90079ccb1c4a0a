#include "core/laws/LawCatalogue.h"

#include "core/store/Database.h"
#include "core/store/StoreError.h"

namespace vorlane {

bool isLawHeading(const QString &id)
{
    const qsizetype length = id.trimmed().size();
    return length == 1 || length == 2;
}

bool LawRow::isHeading() const
{
    return isLawHeading(id);
}

Result<QList<LawRow>> loadLawCatalogue(Database &db)
{
    try {
        QList<LawRow> rows;
        Statement query
            = db.prepare(QStringLiteral("SELECT id, n, q, q1, q2, q4 FROM tab_fgmc ORDER BY bh, id"));
        while (query.next()) {
            rows.append(LawRow { query.text(0), query.text(1),
                { query.integer(2), query.integer(3), query.integer(4), query.integer(5) } });
        }
        return rows;
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
}

QString counterCell(qint64 value)
{
    return QString::number(value).rightJustified(9, QLatin1Char(' '));
}

int findLawRow(const QList<LawRow> &rows, const QString &text)
{
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return -1;
    for (int i = 0; i < rows.size(); ++i)
        if (rows.at(i).name.contains(wanted, Qt::CaseSensitive))
            return i;
    return -1;
}

} // namespace vorlane
