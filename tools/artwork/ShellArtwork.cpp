#include "Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

// Pictures of the main menu, the message box and the about window.
namespace {

const QColor Navy(0x2f, 0x5d, 0x8a);
const QColor NavyDark(0x1e, 0x3f, 0x61);
const QColor NavyLight(0x3d, 0x6f, 0x9f);
const QColor Gold(0xd9, 0xa4, 0x41);
const QColor Cinnabar(0xb8, 0x45, 0x2f);
const QColor Paper(0xf6, 0xf3, 0xec);

QFont songFont(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("Noto Serif CJK SC"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// A ridge line of ink-wash hills across the width, from a few layered sine waves.
QPainterPath ridge(const QSize &s, double base, double amplitude, double phase, double waves)
{
    QPainterPath path;
    path.moveTo(0, s.height());
    for (int x = 0; x <= s.width(); x += 8) {
        const double t = double(x) / s.width();
        const double y = base
            - amplitude
                * (0.55 * std::sin(t * waves * 6.283 + phase)
                    + 0.30 * std::sin(t * waves * 2.3 * 6.283 + phase * 1.7)
                    + 0.15 * std::sin(t * waves * 5.1 * 6.283 + phase * 0.3));
        path.lineTo(x, y);
    }
    path.lineTo(s.width(), s.height());
    path.closeSubpath();
    return path;
}

void drawHills(QPainter &p, const QSize &s, double top)
{
    p.setPen(Qt::NoPen);
    const struct
    {
        double base, amplitude, phase, waves;
        int alpha;
    } layers[] = { { 0.0, 0.09, 0.4, 1.3, 14 }, { 0.05, 0.07, 2.1, 1.8, 22 }, { 0.11, 0.05, 4.0, 2.4, 32 } };
    for (const auto &layer : layers) {
        QColor ink = NavyDark;
        ink.setAlpha(layer.alpha);
        p.setBrush(ink);
        p.drawPath(
            ridge(s, top + s.height() * layer.base, s.height() * layer.amplitude, layer.phase, layer.waves));
    }
}

void drawSeal(QPainter &p, const QRectF &r, const QString &glyph)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Cinnabar);
    p.drawRoundedRect(r, r.width() * 0.16, r.width() * 0.16);
    p.setPen(QPen(QColor(255, 255, 255, 210), r.width() * 0.04));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(r.width() * 0.1, r.width() * 0.1, -r.width() * 0.1, -r.width() * 0.1),
        r.width() * 0.08, r.width() * 0.08);
    p.setPen(Qt::white);
    p.setFont(songFont(int(r.height() * 0.52), true));
    p.drawText(r, Qt::AlignCenter, glyph);
}

void drawBand(QPainter &p, const QRect &band)
{
    QLinearGradient gradient(band.topLeft(), band.topRight());
    gradient.setColorAt(0, NavyDark);
    gradient.setColorAt(0.55, Navy);
    gradient.setColorAt(1, NavyLight);
    p.fillRect(band, gradient);
    p.setPen(QPen(QColor(255, 255, 255, 20), 1.2));
    for (int i = 0; i < 6; ++i) {
        QPainterPath wave;
        const double y0 = band.top() + band.height() * (0.2 + i * 0.14);
        wave.moveTo(band.left(), y0);
        for (int x = band.left(); x <= band.right(); x += 10)
            wave.lineTo(x, y0 + std::sin(x / 90.0 + i) * band.height() * 0.08);
        p.drawPath(wave);
    }
    p.fillRect(QRect(band.left(), band.bottom() - 2, band.width(), 3), Gold);
}

void drawRoundIcon(QPainter &p, const QSize &s, const QColor &top, const QColor &bottom, const QString &glyph)
{
    const QRectF r(1, 1, s.width() - 2, s.height() - 2);
    QRadialGradient gradient(r.center() - QPointF(4, 5), r.width() * 0.7);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    p.setPen(QPen(bottom.darker(130), 1));
    p.setBrush(gradient);
    p.drawEllipse(r);
    p.setPen(Qt::white);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(int(s.height() * 0.66));
    font.setBold(true);
    p.setFont(font);
    p.drawText(r, Qt::AlignCenter, glyph);
}

} // namespace

VORLANE_PICTURE("pic/menu_background.jpg", QSize(1280, 800), [](QPainter &p, const QSize &s) {
    QLinearGradient paper(0, 0, 0, s.height());
    paper.setColorAt(0, QColor(0xfb, 0xf9, 0xf4));
    paper.setColorAt(1, QColor(0xec, 0xe4, 0xd2));
    p.fillRect(QRect(QPoint(0, 0), s), paper);
    // Faint ruled lines, like the pages of an exercise book.
    p.setPen(QPen(QColor(0x2f, 0x5d, 0x8a, 12), 1));
    for (int y = 120; y < s.height(); y += 28)
        p.drawLine(0, y, s.width(), y);
    QRadialGradient sun(QPointF(s.width() * 0.82, s.height() * 0.62), s.height() * 0.16);
    sun.setColorAt(0, QColor(0xd9, 0xa4, 0x41, 70));
    sun.setColorAt(1, QColor(0xd9, 0xa4, 0x41, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(s.width() * 0.82, s.height() * 0.62), s.height() * 0.16, s.height() * 0.16);
    drawHills(p, s, s.height() * 0.80);
})

VORLANE_PICTURE("pic/menu_banner.png", QSize(1600, 88),
    [](QPainter &p, const QSize &s) { drawBand(p, QRect(QPoint(0, 0), s)); })

VORLANE_PICTURE("pic/menu_logo.png", QSize(120, 120), [](QPainter &p, const QSize &s) {
    drawSeal(p, QRectF(4, 4, s.width() - 8, s.height() - 8), QStringLiteral("学"));
})

VORLANE_PICTURE("pic/prompt_background.png", QSize(399, 110), [](QPainter &p, const QSize &s) {
    QLinearGradient gradient(0, 0, 0, s.height());
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, Paper);
    p.fillRect(QRect(QPoint(0, 0), s), gradient);
})

VORLANE_PICTURE("pic/prompt_titlebar.png", QSize(399, 25),
    [](QPainter &p, const QSize &s) { drawBand(p, QRect(QPoint(0, 0), s)); })

VORLANE_PICTURE("pic/prompt_information.png", QSize(32, 32), [](QPainter &p, const QSize &s) {
    drawRoundIcon(p, s, QColor(0x5b, 0x8f, 0xc4), Navy, QStringLiteral("i"));
})

VORLANE_PICTURE("pic/prompt_warning.png", QSize(32, 32), [](QPainter &p, const QSize &s) {
    QPainterPath triangle;
    triangle.moveTo(s.width() / 2.0, 1.5);
    triangle.lineTo(s.width() - 1.5, s.height() - 2.5);
    triangle.lineTo(1.5, s.height() - 2.5);
    triangle.closeSubpath();
    QLinearGradient gradient(0, 0, 0, s.height());
    gradient.setColorAt(0, QColor(0xf3, 0xc6, 0x5a));
    gradient.setColorAt(1, QColor(0xd9, 0x8e, 0x1f));
    p.setPen(QPen(QColor(0x9c, 0x62, 0x0e), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(gradient);
    p.drawPath(triangle);
    p.setPen(QColor(0x3a, 0x26, 0x08));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(0, 7, s.width(), s.height() - 8), Qt::AlignCenter, QStringLiteral("!"));
})

VORLANE_PICTURE("pic/prompt_error.png", QSize(32, 32), [](QPainter &p, const QSize &s) {
    const QRectF r(1, 1, s.width() - 2, s.height() - 2);
    QRadialGradient gradient(r.center() - QPointF(4, 5), r.width() * 0.7);
    gradient.setColorAt(0, QColor(0xe0, 0x6b, 0x55));
    gradient.setColorAt(1, Cinnabar);
    p.setPen(QPen(Cinnabar.darker(130), 1));
    p.setBrush(gradient);
    p.drawEllipse(r);
    p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 10.5), QPointF(21.5, 21.5));
    p.drawLine(QPointF(21.5, 10.5), QPointF(10.5, 21.5));
})

VORLANE_PICTURE("pic/about_banner.png", QSize(440, 84), [](QPainter &p, const QSize &s) {
    drawBand(p, QRect(QPoint(0, 0), s));
    drawSeal(p, QRectF(18, 14, 54, 54), QStringLiteral("学"));
    p.setPen(Qt::white);
    p.setFont(songFont(30, true));
    p.drawText(QRect(86, 10, 300, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Vorlane"));
    p.setPen(QColor(0xf1, 0xd7, 0x9a));
    p.setFont(songFont(14));
    p.drawText(
        QRect(88, 48, 330, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("学而时习之 · 温故而知新"));
})

namespace {

void drawAboutSide(QPainter &p, const QSize &s)
{
    p.fillRect(QRect(QPoint(0, 0), s), Paper);
    // A stack of three books with an open one on top.
    const QColor covers[] = { Navy, Cinnabar, QColor(0x4f, 0x7a, 0x5a) };
    for (int i = 0; i < 3; ++i) {
        const QRectF book(10 + i * 2, 112 - i * 20, 76 - i * 4, 18);
        p.setPen(QPen(covers[i].darker(140), 1));
        p.setBrush(covers[i]);
        p.drawRoundedRect(book, 3, 3);
        p.setPen(QPen(QColor(255, 255, 255, 150), 1));
        p.drawLine(book.topLeft() + QPointF(8, 5), book.topRight() + QPointF(-8, 5));
        p.setPen(QPen(Gold, 2));
        p.drawLine(book.topLeft() + QPointF(14, 12), book.topLeft() + QPointF(34, 12));
    }
    QPainterPath left, right;
    left.moveTo(48, 70);
    left.cubicTo(36, 60, 20, 60, 8, 64);
    left.lineTo(8, 30);
    left.cubicTo(20, 26, 36, 26, 48, 36);
    left.closeSubpath();
    right.moveTo(48, 70);
    right.cubicTo(60, 60, 76, 60, 88, 64);
    right.lineTo(88, 30);
    right.cubicTo(76, 26, 60, 26, 48, 36);
    right.closeSubpath();
    p.setPen(QPen(NavyDark, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(QColor(0x2f, 0x5d, 0x8a, 90), 1));
    for (int i = 0; i < 4; ++i) {
        p.drawLine(QPointF(14, 38 + i * 6), QPointF(42, 42 + i * 6));
        p.drawLine(QPointF(54, 42 + i * 6), QPointF(82, 38 + i * 6));
    }
}

} // namespace

VORLANE_PICTURE("pic/about_side.png", QSize(96, 150), drawAboutSide)
