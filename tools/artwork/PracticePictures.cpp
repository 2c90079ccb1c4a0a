#include "Artwork.h"

#include "../../src/ui/practice/CatalogueGeometry.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

// Pictures of chapter practice: the catalogue backgrounds, the question indicator buttons in
// their six states and the type-board buttons.
namespace {

QFont cjkFont(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("Noto Serif CJK SC"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void drawFace(QPainter &p, const QRectF &r, const QColor &top, const QColor &bottom, const QColor &edge)
{
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setPen(QPen(edge, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}

// A key cap: raised when released, sunk and darker when pressed, with a mark for the result.
enum class Mark { None, Right, Wrong };

// BMP keeps no transparency: the corners get the colour of the board behind the buttons.
const QColor BoardColour(0xe4, 0xea, 0xf1);

void drawIndicator(QPainter &p, const QSize &s, bool pressed, Mark mark)
{
    const QRectF r(QPointF(0, 0), s);
    p.fillRect(r, BoardColour);
    const QColor top = pressed ? QColor(0x9c, 0xb8, 0xd6) : QColor(0xf4, 0xf7, 0xfb);
    const QColor bottom = pressed ? QColor(0x6f, 0x93, 0xbb) : QColor(0xcf, 0xdb, 0xe8);
    drawFace(p, r, top, bottom, QColor(0x4a, 0x63, 0x80));
    if (mark == Mark::None)
        return;
    // The mark sits in the lower right corner so that the button's number stays readable.
    const QRectF corner(s.width() - 11, s.height() / 2.0 - 4, 8, 8);
    p.setPen(QPen(mark == Mark::Right ? QColor(0x1e, 0x8c, 0x3a) : QColor(0xc8, 0x1e, 0x1e), 2.2,
        Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (mark == Mark::Right) {
        QPainterPath tick;
        tick.moveTo(corner.left(), corner.center().y());
        tick.lineTo(corner.left() + 3.5, corner.bottom());
        tick.lineTo(corner.right(), corner.top());
        p.drawPath(tick);
    } else {
        p.drawLine(corner.topLeft(), corner.bottomRight());
        p.drawLine(corner.topRight(), corner.bottomLeft());
    }
}

const QSize IndicatorSize(40, 26);
const QSize TypeButtonSize(88, 24);

void drawTypeButton(QPainter &p, const QSize &s, bool pressed)
{
    const QRectF r(QPointF(0, 0), s);
    p.fillRect(r, BoardColour);
    if (pressed)
        drawFace(p, r, QColor(0xf6, 0xd8, 0x8c), QColor(0xe0, 0xae, 0x45), QColor(0x8a, 0x62, 0x16));
    else
        drawFace(p, r, QColor(0xf7, 0xf3, 0xe6), QColor(0xe2, 0xd8, 0xbd), QColor(0x8a, 0x7a, 0x56));
}

void drawCatalogue(QPainter &p, const QSize &s, bool compact)
{
    using namespace vorlane::ui::catalogue;
    const Geometry g = geometry(compact);
    const double f = double(s.width()) / 761.0;
    QLinearGradient sky(0, 0, 0, s.height());
    sky.setColorAt(0, QColor(0x2f, 0x5d, 0x8a));
    sky.setColorAt(0.22, QColor(0x3f, 0x74, 0xa6));
    sky.setColorAt(0.23, QColor(0xe9, 0xef, 0xf5));
    sky.setColorAt(1, QColor(0xd5, 0xe0, 0xeb));
    p.setPen(QPen(QColor(0x1d, 0x3c, 0x5c), 2));
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(1, 1, s.width() - 2, s.height() - 2), 10 * f, 10 * f);

    p.setPen(Qt::white);
    p.setFont(cjkFont(qRound(30 * f), true));
    p.drawText(QRectF(0, 22 * f, s.width(), 50 * f), Qt::AlignHCenter | Qt::AlignVCenter,
        QStringLiteral("科目名称"));
    p.setFont(cjkFont(qRound(13 * f)));
    p.setPen(QColor(0xdc, 0xe8, 0xf4));
    p.drawText(
        QRectF(0, 70 * f, s.width(), 24 * f), Qt::AlignHCenter, QStringLiteral("选择章节，再选择练习方式"));

    // Frames under the grid and the totals.
    p.setPen(QPen(QColor(0x7d, 0x96, 0xb0), 1));
    p.setBrush(QColor(0xf7, 0xf9, 0xfc));
    p.drawRect(QRectF(g.grid).adjusted(-4, -4, 4, 4));
    p.drawRect(QRectF(g.totals).adjusted(-4, -4, 4, 4));

    for (int area = 0; area < AreaCount; ++area) {
        const QRectF r = g.areas[area];
        const bool small = area == Settings || area == Close;
        if (small)
            drawFace(p, r, QColor(0xf2, 0xf2, 0xf2), QColor(0xc8, 0xcc, 0xd2), QColor(0x55, 0x5f, 0x6b));
        else
            drawFace(p, r, QColor(0x5c, 0x8f, 0xc4), QColor(0x2d, 0x5f, 0x95), QColor(0x1d, 0x3c, 0x5c));
        p.setPen(small ? QColor(0x20, 0x20, 0x20) : Qt::white);
        p.setFont(cjkFont(qRound((small ? 10 : 13) * f), !small));
        p.drawText(r, Qt::AlignCenter, areaCaption(area));
    }
}

} // namespace

VORLANE_PICTURE("pic/vemoup.bmp", IndicatorSize,
    [](QPainter &p, const QSize &s) { drawIndicator(p, s, false, Mark::None); })
VORLANE_PICTURE("pic/vemodw.bmp", IndicatorSize,
    [](QPainter &p, const QSize &s) { drawIndicator(p, s, true, Mark::None); })
VORLANE_PICTURE("pic/vemoyes.bmp", IndicatorSize,
    [](QPainter &p, const QSize &s) { drawIndicator(p, s, false, Mark::Right); })
VORLANE_PICTURE("pic/vemono.bmp", IndicatorSize,
    [](QPainter &p, const QSize &s) { drawIndicator(p, s, false, Mark::Wrong); })
VORLANE_PICTURE("pic/vemodw_r.bmp", IndicatorSize,
    [](QPainter &p, const QSize &s) { drawIndicator(p, s, true, Mark::Right); })
VORLANE_PICTURE("pic/vemodw_w.bmp", IndicatorSize,
    [](QPainter &p, const QSize &s) { drawIndicator(p, s, true, Mark::Wrong); })
VORLANE_PICTURE(
    "pic/vemotxup.bmp", TypeButtonSize, [](QPainter &p, const QSize &s) { drawTypeButton(p, s, false); })
VORLANE_PICTURE(
    "pic/vemotxdw.bmp", TypeButtonSize, [](QPainter &p, const QSize &s) { drawTypeButton(p, s, true); })
VORLANE_PICTURE(
    "pic/kmmc800.png", QSize(761, 480), [](QPainter &p, const QSize &s) { drawCatalogue(p, s, true); })
VORLANE_PICTURE(
    "pic/kmmc1024.png", QSize(951, 600), [](QPainter &p, const QSize &s) { drawCatalogue(p, s, false); })
