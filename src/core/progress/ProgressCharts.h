#pragma once

#include "core/Status.h"

#include <QList>
#include <QString>

#include <optional>

namespace vorlane {

class Database;

struct ChartColour
{
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const ChartColour &, const ChartColour &) = default;
};

// The colour of the i-th point of the pie and progress charts: the value 255 + 80000 × i read
// with red in the lowest byte, so the first point is pure red. Only the three colour bytes
// count; from the 210th point on the value passes them and wraps.
ChartColour chartPointColour(int index);

// C4 / C3 × 100 truncated; none for a chapter without questions.
std::optional<int> progressPercent(qint64 answeredQuestions, qint64 questions);

struct ChartPoint
{
    QString label;
    qint64 value = 0;
    ChartColour colour;
};

// One point per charted chapter (the catalogue rows whose C7 is "0"), in catalogue order.
struct ProgressChartData
{
    QList<ChartPoint> answers; // D1, the frequency chart's first series
    QList<ChartPoint> wrongAnswers; // D2, its second
    QList<ChartPoint> distribution; // C3 with the point colours: the pie
    QList<ChartPoint> progress; // the truncated percentage; chapters with C3 = 0 have none
    qint64 totalQuestions = 0; // the sum of C3, shown beside the pie
};

Result<ProgressChartData> readProgressCharts(Database &db);
// The sum of C3 over the charted chapters, read afresh: the question total beside the pie.
Result<qint64> readChartQuestionTotal(Database &db);

} // namespace vorlane
