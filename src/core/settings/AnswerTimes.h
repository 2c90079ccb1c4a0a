#pragma once

#include "core/AppState.h"
#include "core/Status.h"

#include <QList>
#include <QString>

namespace vorlane {

class Database;

// The answer-timer tick of a question type: one hundredth of the allowed minutes, in
// milliseconds (1.5 minutes give 900 ms).
int answerTickMs(double minutes);

// Allowed minutes per question that the settings accept.
inline constexpr double MinAnswerMinutes = 0.1;
inline constexpr double MaxAnswerMinutes = 30.0;

// One question type of a subject with its allowed minutes per question.
struct TypeTime
{
    int typeId = 0;
    QString name;
    double minutes = 1.0;
    // A time the user has typed is held to the accepted range; one left alone is written back
    // exactly as the bank had it, finer or smaller than the settings window shows.
    bool edited = true;
};

// The question types of a subject in table order. A subject outside 1..5 has none.
Result<QList<TypeTime>> loadTypeTimes(Database &db, int subject);

// AnswerTimeTable of a subject, built from its question types in table order. An empty list
// means the subject has no types; the caller keeps the table it had.
Result<QList<AnswerTime>> loadAnswerTimes(Database &db, int subject);

// Writes the minutes of each type back to the subject's type table, one row after the other,
// and sets the matching entries of the table (made as long as the list). On a failure the rows
// written so far stay written and the reason is returned.
Status saveTypeTimes(Database &db, int subject, const QList<TypeTime> &times, QList<AnswerTime> &table);

} // namespace vorlane
