#include "core/progress/ProgressCharts.h"

#include "core/store/Database.h"
#include "core/store/StoreError.h"

namespace vorlane {

namespace {

qint64 integerOrZero(Statement &row, int column)
{
    return row.isNull(column) ? 0 : row.integer(column);
}

} // namespace

ChartColour chartPointColour(int index)
{
    const quint32 value = quint32(255 + 80000 * qint64(index));
    return { int(value & 0xff), int((value >> 8) & 0xff), int((value >> 16) & 0xff) };
}

std::optional<int> progressPercent(qint64 answeredQuestions, qint64 questions)
{
    if (questions <= 0)
        return std::nullopt;
    return int(answeredQuestions * 100 / questions);
}

Result<ProgressChartData> readProgressCharts(Database &db)
{
    ProgressChartData data;
    try {
        Statement row = db.prepare(
            QStringLiteral("SELECT C2, C3, C4, D1, D2 FROM tab_kmmc WHERE C7='0' ORDER BY bh, C1"));
        for (int i = 0; row.next(); ++i) {
            const QString label = row.text(0);
            const qint64 questions = integerOrZero(row, 1);
            const qint64 answered = integerOrZero(row, 2);
            const ChartColour colour = chartPointColour(i);
            data.distribution.append({ label, questions, colour });
            data.answers.append({ label, integerOrZero(row, 3), {} });
            data.wrongAnswers.append({ label, integerOrZero(row, 4), {} });
            if (const std::optional<int> percent = progressPercent(answered, questions))
                data.progress.append({ label, *percent, colour });
            data.totalQuestions += questions;
        }
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
    return data;
}

Result<qint64> readChartQuestionTotal(Database &db)
{
    try {
        return db.scalar(QStringLiteral("SELECT coalesce(sum(C3),0) FROM tab_kmmc WHERE C7='0'"))
            .toLongLong();
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
}

} // namespace vorlane
