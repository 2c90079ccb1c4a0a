#include "ui/progress/DepthChartView.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QPolygonF>
#include <QStackedBarSeries>

#include <algorithm>
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
    connect(chart, &QChart::plotAreaChanged, this, [this] {
        fitPies();
        viewport()->update();
    });
}

void DepthChartView::setDepth(bool on)
{
    if (m_depth == on)
        return;
    m_depth = on;
    viewport()->update();
}

void DepthChartView::setValueLabels(QList<ValueLabel> labels)
{
    m_labels = std::move(labels);
    viewport()->update();
}

void DepthChartView::setValueLabelsVisible(bool on)
{
    m_labelsVisible = on;
    fitPies();
    viewport()->update();
}

void DepthChartView::fitPies()
{
    QChart *c = chart();
    const QRectF area = c->plotArea();
    const QRectF whole = c->rect();
    QFont font = c->font();
    font.setPointSize(9);
    const QFontMetricsF metrics(font);
    for (QAbstractSeries *series : c->series()) {
        auto *pie = qobject_cast<QPieSeries *>(series);
        if (!pie)
            continue;
        // The widest label on each side must still fit between the pie and the chart's edge;
        // where whole labels would leave too small a pie, the labels keep their share only and
        // the legend names the chapters.
        const double centre = area.left() + area.width() * pie->horizontalPosition();
        const double shortSide = qMin(area.width(), area.height());
        if (shortSide <= 0)
            continue;
        auto sizeFor = [&](bool shortLabels) {
            double widest[2] = { 0, 0 };
            if (m_labelsVisible)
                for (QPieSlice *slice : pie->slices()) {
                    const double mid = slice->startAngle() + slice->angleSpan() / 2;
                    double &side = widest[std::sin(qDegreesToRadians(mid)) >= 0 ? 1 : 0];
                    side = qMax(side, metrics.horizontalAdvance(pieLabel(slice, shortLabels)) + 2);
                }
            const double room
                = qMin(centre - whole.left() - widest[0], whole.right() - centre - widest[1]) - 22;
            return 2 * room / 1.1 / shortSide;
        };
        double size = sizeFor(false);
        m_shortPieLabels = size < 0.4;
        if (m_shortPieLabels)
            size = sizeFor(true);
        pie->setPieSize(qBound(0.2, size, PieSize));
    }
}

void DepthChartView::drawBackground(QPainter *painter, const QRectF &rect)
{
    painter->fillRect(rect, Qt::white);
}

void DepthChartView::drawForeground(QPainter *painter, const QRectF &rect)
{
    QChartView::drawForeground(painter, rect);
    // The faces lie outside the bars' and the pie's own shapes, so drawn over the chart they
    // hide only the grid lines behind them, as a solid bar would.
    if (m_depth) {
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
    if (!m_labelsVisible)
        return;
    for (QAbstractSeries *series : chart()->series())
        if (auto *pie = qobject_cast<QPieSeries *>(series); pie && pie->isVisible())
            drawPieLabels(*painter, pie);
    if (m_labels.isEmpty())
        return;
    painter->save();
    QChart *c = chart();
    painter->setFont(c->font());
    const QFontMetricsF metrics(painter->font());
    // Labels sit above the top face when the bars have depth.
    double lift = 0;
    if (m_depth && !m_labels.isEmpty()) {
        auto *bars = qobject_cast<QAbstractBarSeries *>(m_labels.first().series);
        const double width = bars ? bars->barWidth() : 0.5;
        const QPointF a = c->mapToPosition(QPointF(0, 0), m_labels.first().series);
        const QPointF b = c->mapToPosition(QPointF(width, 0), m_labels.first().series);
        lift = depthFor(b.x() - a.x()) * Rise;
    }
    QList<QRectF> placed;
    for (const ValueLabel &label : m_labels) {
        const QPointF top = c->mapToScene(c->mapToPosition(label.top, label.series));
        const QPointF base = c->mapToScene(c->mapToPosition(QPointF(label.top.x(), 0), label.series));
        const QSizeF size(metrics.horizontalAdvance(label.text) + 2, metrics.height());
        QRectF box(QPointF(top.x() - size.width() / 2, 0), size);
        const bool inside = label.inside && base.y() - top.y() >= size.height() + 2;
        if (inside) {
            box.moveTop(top.y() + 1);
        } else {
            // Above the bar, and above any value already written there.
            box.moveBottom(top.y() - lift - 1);
            for (bool moved = true; moved;) {
                moved = false;
                for (const QRectF &other : placed)
                    if (box.intersects(other)) {
                        box.moveBottom(other.top() - 1);
                        moved = true;
                    }
            }
        }
        placed << box;
        const double behindTop
            = c->mapToScene(c->mapToPosition(QPointF(label.top.x(), label.behind), label.series)).y();
        const bool onBar = inside || (label.behind > label.top.y() && box.top() >= behindTop);
        painter->setPen(onBar ? QColor(Qt::white) : label.colour);
        painter->drawText(box, Qt::AlignCenter, label.text);
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

QString DepthChartView::pieLabel(QPieSlice *slice, bool shortLabel)
{
    const QString label = slice->label();
    return shortLabel ? label.mid(label.lastIndexOf(u' ') + 1) : label;
}

QRectF DepthChartView::pieCircle(QPieSeries *series) const
{
    const QRectF area = chart()->mapToScene(chart()->plotArea()).boundingRect();
    const QPointF centre(area.left() + area.width() * series->horizontalPosition(),
        area.top() + area.height() * series->verticalPosition());
    const double radius = series->pieSize() * qMin(area.width(), area.height()) / 2;
    return QRectF(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius));
}

void DepthChartView::drawPieLabels(QPainter &painter, QPieSeries *series)
{
    // Qt Charts lays the labels of narrow neighbouring slices over each other. Here each side
    // of the pie gets a column of labels, pushed apart to a line each and joined to their
    // slices by leader lines.
    struct Label
    {
        QPointF anchor;
        QPointF elbow;
        double y = 0;
        QString text;
    };
    const QRectF circle = pieCircle(series);
    const QPointF centre = circle.center();
    const double radius = circle.width() / 2;
    QList<Label> sides[2];
    for (QPieSlice *slice : series->slices()) {
        if (slice->label().isEmpty() || slice->value() <= 0)
            continue;
        const double mid = slice->startAngle() + slice->angleSpan() / 2;
        Label label { onCircle(centre, radius, mid), onCircle(centre, radius * 1.1, mid), 0,
            pieLabel(slice, m_shortPieLabels) };
        label.y = label.elbow.y();
        sides[std::sin(qDegreesToRadians(mid)) >= 0 ? 1 : 0].append(label);
    }
    painter.save();
    QFont font = chart()->font();
    font.setPointSize(9);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double line = metrics.height();
    const QRectF area = chart()->mapToScene(chart()->plotArea()).boundingRect();
    const double top = area.top() + line / 2;
    const double bottom = area.bottom() - line / 2;
    for (int side = 0; side < 2; ++side) {
        QList<Label> &labels = sides[side];
        std::sort(labels.begin(), labels.end(), [](const Label &a, const Label &b) { return a.y < b.y; });
        for (qsizetype i = 0; i < labels.size(); ++i)
            labels[i].y = qMax(labels[i].y, i ? labels[i - 1].y + line : top);
        for (qsizetype i = labels.size() - 1; i >= 0; --i)
            labels[i].y = qMin(labels[i].y, i + 1 < labels.size() ? labels[i + 1].y - line : bottom);
        const double x = side == 1 ? centre.x() + radius * 1.1 + 16 : centre.x() - radius * 1.1 - 16;
        for (const Label &label : labels) {
            painter.setPen(QPen(QColor(120, 120, 120), 0.8));
            const QPointF end(x + (side == 1 ? -3 : 3), label.y);
            painter.drawPolyline(QPolygonF({ label.anchor, label.elbow, end }));
            const double width = metrics.horizontalAdvance(label.text) + 2;
            const QRectF box(side == 1 ? x : x - width, label.y - line / 2, width, line);
            painter.setPen(Qt::black);
            painter.drawText(
                box, Qt::AlignVCenter | (side == 1 ? Qt::AlignLeft : Qt::AlignRight), label.text);
        }
    }
    painter.restore();
}

void DepthChartView::drawPieRim(QPainter &painter, QPieSeries *series)
{
    const QRectF circle = pieCircle(series);
    const QPointF centre = circle.center();
    const double radius = circle.width() / 2;
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
