#pragma once

#include <QChartView>

class QAbstractBarSeries;
class QPieSeries;
class QPieSlice;

namespace vorlane::ui {

// A chart view that can draw its bars and pie with depth: every bar gets a lighter top face and
// a darker side face reaching back about 30 % of its width, the pie a darker rim. Qt Charts
// draws flat charts only, so the view paints the faces over the chart (they cover only the grid
// behind them) and then the values of bars that Qt Charts would label wrongly and the pie's
// labels, set so that none overlap.
class DepthChartView : public QChartView
{
public:
    // A value written by the view itself, for bars whose label is not the height Qt Charts
    // would print. Centred above the bar top; an inside label goes in white just under the top
    // when the bar is tall enough, otherwise above it like the others. Labels never overlap:
    // a later one moves up over an earlier one.
    struct ValueLabel
    {
        QAbstractSeries *series = nullptr;
        QPointF top; // category and value of the bar top
        QString text;
        QColor colour; // when written above the bar, on white
        bool inside = false;
        double behind = 0; // top of a bar standing behind this one: white there too
    };

    explicit DepthChartView(QChart *chart, QWidget *parent = nullptr);

    void setDepth(bool on);
    bool depth() const { return m_depth; }

    void setValueLabels(QList<ValueLabel> labels);
    void setValueLabelsVisible(bool on);
    bool valueLabelsVisible() const { return m_labelsVisible; }
    const QList<ValueLabel> &valueLabels() const { return m_labels; }

    // The largest pie, as a share of the plot area's shorter side; smaller when its labels need
    // the room.
    static constexpr double PieSize = 0.56;

    // How far back the faces reach for a bar of this width in pixels.
    static double depthFor(double barWidth) { return barWidth * 0.3; }

protected:
    void drawBackground(QPainter *painter, const QRectF &rect) override;
    void drawForeground(QPainter *painter, const QRectF &rect) override;

private:
    void drawBarFaces(QPainter &painter, QAbstractBarSeries *series, bool stacked);
    void drawPieRim(QPainter &painter, QPieSeries *series);
    void drawPieLabels(QPainter &painter, QPieSeries *series);
    QRectF pieCircle(QPieSeries *series) const;
    void fitPies();
    // The slice's label, or only its share (the text after the last blank).
    static QString pieLabel(QPieSlice *slice, bool shortLabel);

    bool m_depth = true;
    QList<ValueLabel> m_labels;
    bool m_labelsVisible = true;
    bool m_shortPieLabels = false;
};

} // namespace vorlane::ui
