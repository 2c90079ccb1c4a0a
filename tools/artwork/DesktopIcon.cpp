#include "Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <cmath>
#include <optional>
#include <vector>

// The launcher icon: the menu's cinnabar seal with 学 on a paper tile above navy ink hills. It is
// built from filled shapes only, so that the same shapes give every bitmap size and the SVG.
namespace {

constexpr double Design = 256; // the shapes are laid out on a 256 × 256 grid

struct Shape
{
    QPainterPath path;
    QColor color;
    std::optional<QColor> bottomColor; // a vertical gradient from `color` down to this
};

QPainterPath outline(const QPainterPath &path, double width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path).simplified();
}

QPainterPath glyph(const QString &text, const QRectF &box)
{
    QFont font(QStringLiteral("Noto Serif CJK SC"));
    font.setPixelSize(100);
    font.setBold(true);
    QPainterPath path;
    path.addText(0, 0, font, text);
    // Fit the glyph's own outline into the box, whatever the font's metrics.
    const QRectF bounds = path.boundingRect();
    const double scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    QTransform fit;
    fit.translate(box.center().x(), box.center().y());
    fit.scale(scale, scale);
    fit.translate(-bounds.center().x(), -bounds.center().y());
    return fit.map(path);
}

QPainterPath hills(const QRectF &tile, double base, double amplitude, double phase)
{
    QPainterPath ridge;
    ridge.moveTo(tile.left(), tile.bottom());
    for (double x = tile.left(); x <= tile.right() + 0.1; x += 4) {
        const double t = (x - tile.left()) / tile.width();
        ridge.lineTo(
            x, base - amplitude * (0.65 * std::sin(t * 7.5 + phase) + 0.35 * std::sin(t * 17.0 + phase * 2)));
    }
    ridge.lineTo(tile.right(), tile.bottom());
    ridge.closeSubpath();
    return ridge;
}

// Small sizes drop what would only blur: the hills' second layer and the seal's inner ring.
std::vector<Shape> iconShapes(int pixels)
{
    const QColor navyDark(0x1e, 0x3f, 0x61);
    const QColor cinnabar(0xb8, 0x45, 0x2f);
    const bool small = pixels < 32;
    std::vector<Shape> shapes;

    const QRectF tile(12, 12, 232, 232);
    QPainterPath tilePath;
    tilePath.addRoundedRect(tile, 44, 44);
    shapes.push_back({ tilePath, QColor(0xfb, 0xf9, 0xf4), QColor(0xe6, 0xdc, 0xc6) });
    shapes.push_back({ outline(tilePath, small ? 10 : 5), QColor(0x1e, 0x3f, 0x61, 150), std::nullopt });
    QColor far = navyDark;
    far.setAlpha(70);
    if (!small)
        shapes.push_back({ hills(tile, 196, 14, 0.6).intersected(tilePath), far, std::nullopt });
    QColor near = navyDark;
    near.setAlpha(small ? 200 : 170);
    shapes.push_back({ hills(tile, 214, 10, 2.3).intersected(tilePath), near, std::nullopt });

    const QRectF seal = small ? QRectF(50, 34, 156, 156) : QRectF(60, 40, 136, 136);
    QPainterPath sealPath;
    sealPath.addRoundedRect(seal, seal.width() * 0.16, seal.width() * 0.16);
    shapes.push_back({ sealPath, QColor(0xc9, 0x55, 0x3d), cinnabar.darker(115) });
    if (!small) {
        QPainterPath ring;
        const double inset = seal.width() * 0.09;
        ring.addRoundedRect(
            seal.adjusted(inset, inset, -inset, -inset), seal.width() * 0.08, seal.width() * 0.08);
        shapes.push_back({ outline(ring, 5), QColor(255, 255, 255, 215), std::nullopt });
    }
    const double margin = seal.width() * (small ? 0.14 : 0.22);
    shapes.push_back({ glyph(QStringLiteral("学"), seal.adjusted(margin, margin, -margin, -margin)),
        Qt::white, std::nullopt });
    return shapes;
}

void drawIcon(QPainter &p, const QSize &s)
{
    p.scale(s.width() / Design, s.height() / Design);
    p.setPen(Qt::NoPen);
    for (const Shape &shape : iconShapes(s.width())) {
        if (shape.bottomColor) {
            const QRectF box = shape.path.boundingRect();
            QLinearGradient gradient(0, box.top(), 0, box.bottom());
            gradient.setColorAt(0, shape.color);
            gradient.setColorAt(1, *shape.bottomColor);
            p.setBrush(gradient);
        } else {
            p.setBrush(shape.color);
        }
        p.drawPath(shape.path);
    }
}

QByteArray number(double value)
{
    return QByteArray::number(std::round(value * 100) / 100, 'g', 8);
}

QByteArray svgPathData(const QPainterPath &path)
{
    QByteArray d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            d += (d.isEmpty() ? "M" : "ZM") + number(e.x) + ',' + number(e.y);
        } else if (e.isLineTo()) {
            d += 'L' + number(e.x) + ',' + number(e.y);
        } else if (e.isCurveTo()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            d += 'C' + number(e.x) + ',' + number(e.y) + ' ' + number(c2.x) + ',' + number(c2.y) + ' '
                + number(end.x) + ',' + number(end.y);
            i += 2;
        }
    }
    return d + 'Z';
}

QByteArray svgColor(const QColor &color, const char *attribute)
{
    QByteArray out = ' ' + QByteArray(attribute) + "=\"" + color.name(QColor::HexRgb).toLatin1() + '"';
    if (color.alpha() != 255)
        out += ' ' + QByteArray(attribute) + "-opacity=\"" + number(color.alphaF()) + '"';
    return out;
}

// The large design as SVG: the same shapes, written out as paths (the glyph too, so no font is
// needed to show it).
QByteArray iconSvg()
{
    QByteArray defs;
    QByteArray body;
    int gradients = 0;
    for (const Shape &shape : iconShapes(256)) {
        const QByteArray rule = shape.path.fillRule() == Qt::WindingFill ? "nonzero" : "evenodd";
        body += "  <path fill-rule=\"" + rule + '"';
        if (shape.bottomColor) {
            const QRectF box = shape.path.boundingRect();
            const QByteArray id = "g" + QByteArray::number(++gradients);
            defs += "    <linearGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\""
                + number(box.top()) + "\" x2=\"0\" y2=\"" + number(box.bottom()) + "\">\n"
                + "      <stop offset=\"0\"" + svgColor(shape.color, "stop-color") + "/>\n"
                + "      <stop offset=\"1\"" + svgColor(*shape.bottomColor, "stop-color") + "/>\n"
                + "    </linearGradient>\n";
            body += " fill=\"url(#" + id + ")\"";
        } else {
            body += svgColor(shape.color, "fill");
        }
        body += " d=\"" + svgPathData(shape.path) + "\"/>\n";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
           "  <defs>\n"
        + defs + "  </defs>\n" + body + "</svg>\n";
}

} // namespace

#define VORLANE_ICON(size)                                                                                   \
    VORLANE_PICTURE(                                                                                         \
        "icons/hicolor/" #size "x" #size "/apps/org.vorlane.Vorlane.png", QSize(size, size), drawIcon)
VORLANE_ICON(16)
VORLANE_ICON(22)
VORLANE_ICON(24)
VORLANE_ICON(32)
VORLANE_ICON(48)
VORLANE_ICON(64)
VORLANE_ICON(128)
VORLANE_ICON(256)
VORLANE_FILE("icons/hicolor/scalable/apps/org.vorlane.Vorlane.svg", iconSvg)
