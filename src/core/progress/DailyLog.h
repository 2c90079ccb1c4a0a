#pragma once

#include "core/Status.h"

#include <QList>
#include <QString>

namespace vorlane {

class Database;

// One day of the daily log (tab_rz), as the log window lists it.
struct DailyLogRow
{
    QString day; // A1
    qint64 questions = 0; // B1: distinct questions answered
    qint64 wrongQuestions = 0; // B2
    qint64 answers = 0; // A2
    qint64 wrongAnswers = 0; // A3
    QString time; // D1, "hh:mm:ss"
    QString score; // A4
};

// The three figures under the log: answers and wrong answers over all days, and the overall
// percentage of right answers ("0" for an empty log).
struct DailyLogTotals
{
    qint64 answers = 0;
    qint64 wrongAnswers = 0;
    QString score = QStringLiteral("0");
};

// Newest day first.
Result<QList<DailyLogRow>> readDailyLog(Database &db);
Result<DailyLogTotals> readDailyLogTotals(Database &db);

// "%2.2f" of the right answers' share, or "0" when there is no answer: 3 with 1 wrong give "66.67".
QString rightAnswersPercent(qint64 answers, qint64 wrongAnswers);

} // namespace vorlane
