#include "core/settings/AnswerTimes.h"

#include "core/Subject.h"

#include "core/store/Database.h"
#include "core/store/StoreError.h"

#include <cmath>

namespace vorlane {

namespace {

bool validSubject(int subject)
{
    return Subject::fromNumber(subject).isValid();
}

QString typeTable(int subject)
{
    return Subject::fromNumber(subject).typeTable();
}

} // namespace

int answerTickMs(double minutes)
{
    // The small allowance keeps minutes such as 2.3, whose binary value lies a hair below,
    // from losing a millisecond to truncation.
    return static_cast<int>(std::trunc(minutes * 600.0 + 1e-7));
}

Result<QList<TypeTime>> loadTypeTimes(Database &db, int subject)
{
    QList<TypeTime> types;
    if (!validSubject(subject))
        return types;
    try {
        Statement query
            = db.prepare(QStringLiteral("SELECT A1, B1, time FROM %1 ORDER BY A1").arg(typeTable(subject)));
        while (query.next()) {
            TypeTime type;
            type.typeId = static_cast<int>(query.integer(0));
            type.name = query.text(1).trimmed();
            // A type without a time gets the table's default of one minute.
            type.minutes = query.isNull(2) ? 1.0 : query.real(2);
            types.append(type);
        }
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
    return types;
}

Result<QList<AnswerTime>> loadAnswerTimes(Database &db, int subject)
{
    const Result<QList<TypeTime>> types = loadTypeTimes(db, subject);
    if (!types)
        return types.status();
    QList<AnswerTime> table;
    for (const TypeTime &type : types.value())
        table.append(AnswerTime { type.typeId, answerTickMs(type.minutes) });
    return table;
}

Status saveTypeTimes(Database &db, int subject, const QList<TypeTime> &times, QList<AnswerTime> &table)
{
    if (!validSubject(subject))
        return Status::failure(QStringLiteral("no question types for subject %1").arg(subject));
    while (table.size() < times.size())
        table.append(AnswerTime {});
    table.resize(times.size());
    try {
        Statement update
            = db.prepare(QStringLiteral("UPDATE %1 SET time = ? WHERE A1 = ?").arg(typeTable(subject)));
        for (qsizetype r = 0; r < times.size(); ++r) {
            const TypeTime &type = times.at(r);
            const double minutes
                = type.edited ? qBound(MinAnswerMinutes, type.minutes, MaxAnswerMinutes) : type.minutes;
            // A type that is no longer in the table is passed over, as before.
            const int changed = update.bind(1, minutes).bind(2, type.typeId).exec();
            update.reset();
            if (changed == 0)
                continue;
            table[r] = AnswerTime { type.typeId, answerTickMs(minutes) };
        }
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Write);
    }
    return {};
}

} // namespace vorlane
