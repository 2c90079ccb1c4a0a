#include "ui/progress/DepthChartView.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QPolygonF>
#include <QStackedBarSeries>

#include <cmath>

namespace vorlane::ui {

namespace {

// The faces lean back to the upper right, a little less steep than 45°.
constexpr double Rise = 0.8;

QColor topFace(const QColor &front)
{
    return front.lighter(135);
}

QColor sideFace(const QColor &front)
{
    return front.darker(150);
}

QPointF onCircle(const QPointF &centre, double radius, double degrees)
{
    // Qt Charts counts pie angles clockwise from twelve o'clock.
    const double a = qDegreesToRadians(degrees);
    return centre + QPointF(radius * std::sin(a), -radius * std::cos(a));
}

} // namespace

DepthChartView::DepthChartView(QChart *chart, QWidget *parent)
    : QChartView(chart, parent)
{
    setRenderHint(QPainter::Antialiasing);
    // The view paints the white ground and the faces; the chart's own ground would cover them.
    chart->setBackgroundVisible(false);
    connect(chart, &QChart::plotAreaChanged, this, [this] { viewport()->update(); });
}

void DepthChartView::setDepth(bool on)
{
    if (m_depth == on)
        return;
    m_depth = on;
    viewport()->update();
}

QImage DepthChartView::picture() const
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const_cast<DepthChartView *>(this)->renderTo(painter, QRectF(image.rect()));
    return image;
}

void DepthChartView::renderTo(QPainter &painter, const QRectF &target)
{
    painter.setRenderHint(QPainter::Antialiasing);
    render(&painter, target, viewport()->rect());
}

void DepthChartView::drawBackground(QPainter *painter, const QRectF &rect)
{
    painter->fillRect(rect, Qt::white);
    if (!m_depth)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    for (QAbstractSeries *series : chart()->series()) {
        if (!series->isVisible())
            continue;
        if (auto *bars = qobject_cast<QAbstractBarSeries *>(series))
            drawBarFaces(*painter, bars, qobject_cast<QStackedBarSeries *>(series) != nullptr);
        else if (auto *pie = qobject_cast<QPieSeries *>(series))
            drawPieRim(*painter, pie);
    }
    painter->restore();
}

void DepthChartView::drawBarFaces(QPainter &painter, QAbstractBarSeries *series, bool stacked)
{
    const QList<QBarSet *> sets = series->barSets();
    if (sets.isEmpty())
        return;
    const double width = series->barWidth();
    const int places = stacked ? 1 : int(sets.size());
    int categories = 0;
    for (const QBarSet *set : sets)
        categories = qMax(categories, int(set->count()));
    QChart *c = chart();
    for (int i = 0; i < categories; ++i) {
        double base = 0;
        for (int s = 0; s < sets.size(); ++s) {
            QBarSet *set = sets.at(s);
            if (i >= set->count())
                continue;
            const double value = set->at(i);
            const int slot = stacked ? 0 : s;
            const double left = i - width / 2 + width * slot / places;
            const double right = left + width / places;
            const double bottom = stacked ? base : 0;
            const double top = bottom + value;
            if (stacked)
                base = top;
            if (value == 0)
                continue;
            const QPointF topLeft = c->mapToScene(c->mapToPosition(QPointF(left, top), series));
            const QPointF bottomRight = c->mapToScene(c->mapToPosition(QPointF(right, bottom), series));
            const double d = depthFor(bottomRight.x() - topLeft.x());
            const QPointF back(d, -d * Rise);
            const QPointF topRight(bottomRight.x(), topLeft.y());
            const QColor front = set->color();
            painter.setPen(QPen(sideFace(front).darker(120), 0.6));
            painter.setBrush(topFace(front));
            painter.drawPolygon(QPolygonF({ topLeft, topRight, topRight + back, topLeft + back }));
            painter.setBrush(sideFace(front));
            painter.drawPolygon(QPolygonF({ topRight, topRight + back, bottomRight + back, bottomRight }));
        }
    }
}

void DepthChartView::drawPieRim(QPainter &painter, QPieSeries *series)
{
    const QRectF area = chart()->mapToScene(chart()->plotArea()).boundingRect();
    const QPointF centre(area.left() + area.width() * series->horizontalPosition(),
        area.top() + area.height() * series->verticalPosition());
    const double radius = series->pieSize() * qMin(area.width(), area.height()) / 2;
    const QPointF down(0, radius * 0.3 * 0.5);
    for (QPieSlice *slice : series->slices()) {
        // Only the front half of the rim, from three o'clock round to nine, can be seen.
        const double from = qMax(90.0, slice->startAngle());
        const double to = qMin(270.0, slice->startAngle() + slice->angleSpan());
        if (to <= from)
            continue;
        QPolygonF rim;
        const int steps = qMax(2, int((to - from) / 2));
        for (int k = 0; k <= steps; ++k)
            rim << onCircle(centre, radius, from + (to - from) * k / steps);
        for (int k = steps; k >= 0; --k)
            rim << onCircle(centre, radius, from + (to - from) * k / steps) + down;
        painter.setPen(QPen(sideFace(slice->color()).darker(120), 0.6));
        painter.setBrush(sideFace(slice->color()));
        painter.drawPolygon(rim);
    }
}

} // namespace vorlane::ui
