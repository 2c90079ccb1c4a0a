#pragma once

#include "core/progress/ProgressCharts.h"

#include <QWidget>

class QChart;
class QLabel;

namespace vorlane::ui {

class DepthChartView;

// The three charts of the chart window, in the order of its pages.
enum class ScoreChartKind { Frequency = 0, Distribution = 1, Progress = 2 };

// How one chart is drawn; every chart starts with these and returns to them when left.
struct ScoreChartStyle
{
    Qt::Alignment legendAlignment = Qt::AlignTop;
    bool depth = true;
    bool legendVisible = true;
    bool labelsVisible = true;
    friend bool operator==(const ScoreChartStyle &, const ScoreChartStyle &) = default;
};

// One page of the chart window: a chart of one kind with its own style. The distribution page
// also carries the bank's question total.
class ScoreChartPage : public QWidget
{
public:
    ScoreChartPage(ScoreChartKind kind, const ProgressChartData &data, QWidget *parent = nullptr);

    ScoreChartKind kind() const { return m_kind; }
    const ScoreChartStyle &style() const { return m_style; }
    DepthChartView *view() const { return m_view; }
    QChart *chart() const;

    void setLegendAlignment(Qt::Alignment alignment);
    void setDepth(bool on);
    void setLegendVisible(bool on);
    void setLabelsVisible(bool on);

    // "习题总数:" and the number beside it (distribution page only).
    void setQuestionTotal(qint64 total);
    QLabel *totalCaption() const { return m_totalCaption; }
    QLabel *totalValue() const { return m_totalValue; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QChart *makeFrequencyChart(const ProgressChartData &data);
    QChart *makeDistributionChart(const ProgressChartData &data);
    QChart *makeProgressChart(const ProgressChartData &data);
    void placeTotal();

    ScoreChartKind m_kind;
    ScoreChartStyle m_style;
    DepthChartView *m_view = nullptr;
    QLabel *m_totalCaption = nullptr;
    QLabel *m_totalValue = nullptr;
    bool m_totalRaised = false; // lifted above a legend at the bottom
};

} // namespace vorlane::ui
