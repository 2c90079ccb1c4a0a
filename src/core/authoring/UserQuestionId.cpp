#include "core/authoring/UserQuestionId.h"

#include "core/store/Database.h"

#include <QCoreApplication>

namespace vorlane {

QString userSequenceText(int sequence)
{
    const int width = sequence < 1000 ? 5 : 4;
    return QStringLiteral("%1").arg(sequence, width, 10, QLatin1Char('0'));
}

QString userSequenceLimitMessage()
{
    return QCoreApplication::translate("UserQuestionId", "最多只能录入9999道题！");
}

Result<QString> userQuestionId(const QString &chapterCode, int typeId, int optionCount, int sequence)
{
    if (sequence > MaxUserSequence || sequence < 1)
        return Result<QString>::failure(userSequenceLimitMessage());
    return QString(QStringLiteral("US") + chapterCode + QString::number(typeId) + QString::number(optionCount)
        + userSequenceText(sequence));
}

int nextUserSequence(Database &db)
{
    // Two ranges of the primary key instead of a scan: ids are compared as the old bank did,
    // without regard to case.
    Statement query = db.cached("SELECT max(CAST(substr(A1, -4) AS INTEGER)) FROM tab_answ "
                                "WHERE (A1 >= 'U' AND A1 < 'V') OR (A1 >= 'u' AND A1 < 'v')");
    const qint64 highest = query.next() && !query.isNull(0) ? query.integer(0) : 0;
    return int(qBound(qint64(0), highest, qint64(MaxUserSequence))) + 1;
}

} // namespace vorlane
