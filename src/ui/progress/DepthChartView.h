#pragma once

#include <QChartView>

class QAbstractBarSeries;
class QPieSeries;

namespace vorlane::ui {

// A chart view that can draw its bars and pie with depth: every bar gets a lighter top face and
// a darker side face reaching back about 30 % of its width, the pie a darker rim. Qt Charts
// draws flat charts only, so the faces are painted under the chart's own items, which keeps the
// value labels, axes and legend readable on top of them.
class DepthChartView : public QChartView
{
public:
    explicit DepthChartView(QChart *chart, QWidget *parent = nullptr);

    void setDepth(bool on);
    bool depth() const { return m_depth; }

    // The chart as shown, drawn on white: what is printed and saved.
    QImage picture() const;
    void renderTo(QPainter &painter, const QRectF &target);

    // How far back the faces reach for a bar of this width in pixels.
    static double depthFor(double barWidth) { return barWidth * 0.3; }

protected:
    void drawBackground(QPainter *painter, const QRectF &rect) override;

private:
    void drawBarFaces(QPainter &painter, QAbstractBarSeries *series, bool stacked);
    void drawPieRim(QPainter &painter, QPieSeries *series);

    bool m_depth = true;
};

} // namespace vorlane::ui
