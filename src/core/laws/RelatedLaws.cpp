#include "core/laws/RelatedLaws.h"

#include "core/store/Database.h"
#include "core/store/StoreError.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace vorlane {

Result<QStringList> loadExamPoints(Database &db, const QString &questionId)
{
    try {
        Statement query = db.cached("SELECT K3,K4,K5,K6,K7,K8,K9,K10,K11,K12 FROM tab_answ WHERE A1=?1");
        query.bind(1, questionId);
        QStringList keys;
        if (query.next()) {
            for (int column = 0; column < 10; ++column)
                if (!query.isNull(column) && !query.text(column).isEmpty())
                    keys << query.text(column);
        }
        return keys;
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
}

Result<QStringList> examPointTitles(Database &db, const QStringList &keys)
{
    if (keys.isEmpty())
        return QStringList();
    try {
        QString placeholders;
        for (qsizetype i = 0; i < keys.size(); ++i)
            placeholders += i ? QStringLiteral(",?") : QStringLiteral("?");
        Statement query = db.prepare(
            QStringLiteral("SELECT id,n,sn FROM tab_rule WHERE ftid IN (") + placeholders + QLatin1Char(')'));
        query.bindAll(QVariantList(keys.cbegin(), keys.cend()));
        QStringList titles;
        while (query.next())
            titles << query.text(2);
        // Titles are Chinese article numbers: sort them the way a reader of the list expects.
        QCollator collator { QLocale(QLocale::Chinese, QLocale::China) };
        collator.setNumericMode(true);
        std::sort(titles.begin(), titles.end(), collator);
        return titles;
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
}

} // namespace vorlane
