#pragma once

#include "core/progress/ProgressCharts.h"
#include "ui/progress/DepthChartView.h"

#include <QWidget>

class QChart;
class QGridLayout;
class QLabel;

namespace vorlane::ui {

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

    // The chart with its legend and total, drawn on white: what is printed and saved.
    QImage picture();
    void renderTo(QPainter &painter, const QRectF &target);
    QLabel *legendPanel() const { return m_legend; }

    // "习题总数:" and the number beside it (distribution page only).
    void setQuestionTotal(qint64 total);
    QLabel *totalCaption() const { return m_totalCaption; }
    QLabel *totalValue() const { return m_totalValue; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QChart *makeFrequencyChart(const ProgressChartData &data);
    QChart *makeDistributionChart(const ProgressChartData &data);
    QChart *makeProgressChart(const ProgressChartData &data);
    void placeTotal();
    void setLegendEntries(const QList<std::pair<QColor, QString>> &entries);
    void placeLegend();
    void fillLegend();

    ScoreChartKind m_kind;
    ScoreChartStyle m_style;
    DepthChartView *m_view = nullptr;
    QGridLayout *m_grid = nullptr;
    QLabel *m_legend = nullptr;
    QList<std::pair<QColor, QString>> m_legendEntries;
    QLabel *m_totalCaption = nullptr;
    QLabel *m_totalValue = nullptr;
    QList<DepthChartView::ValueLabel> m_frequencyLabels;
};

} // namespace vorlane::ui
