#include "core/progress/DailyLog.h"

#include "core/store/Database.h"
#include "core/store/StoreError.h"

namespace vorlane {

namespace {

qint64 integerOrZero(Statement &row, int column)
{
    return row.isNull(column) ? 0 : row.integer(column);
}

} // namespace

Result<QList<DailyLogRow>> readDailyLog(Database &db)
{
    QList<DailyLogRow> rows;
    try {
        Statement row
            = db.prepare(QStringLiteral("SELECT A1, B1, B2, A2, A3, D1, A4 FROM tab_rz ORDER BY A1 DESC"));
        while (row.next()) {
            DailyLogRow day;
            day.day = row.text(0);
            day.questions = integerOrZero(row, 1);
            day.wrongQuestions = integerOrZero(row, 2);
            day.answers = integerOrZero(row, 3);
            day.wrongAnswers = integerOrZero(row, 4);
            day.time = row.text(5);
            day.score = row.text(6);
            rows.append(day);
        }
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
    return rows;
}

Result<DailyLogTotals> readDailyLogTotals(Database &db)
{
    DailyLogTotals totals;
    try {
        Statement sums
            = db.prepare(QStringLiteral("SELECT coalesce(sum(A2),0), coalesce(sum(A3),0) FROM tab_rz"));
        if (sums.next()) {
            totals.answers = sums.integer(0);
            totals.wrongAnswers = sums.integer(1);
        }
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
    totals.score = rightAnswersPercent(totals.answers, totals.wrongAnswers);
    return totals;
}

QString rightAnswersPercent(qint64 answers, qint64 wrongAnswers)
{
    if (answers < 1)
        return QStringLiteral("0");
    return QString::asprintf("%2.2f", double(answers - wrongAnswers) / double(answers) * 100.0);
}

} // namespace vorlane
