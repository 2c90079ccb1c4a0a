#include "Artwork.h"

#include <QLinearGradient>
#include <QPainter>

// The exam window's number buttons: released, pressed, answered, and right or wrong in review.
namespace {

void drawNumberButton(QPainter &p, const QSize &s, QColor top, QColor bottom, QColor border)
{
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, s.height());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setBrush(fill);
    p.setPen(QPen(border, 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, s.width() - 1, s.height() - 1), 3, 3);
}

} // namespace

VORLANE_PICTURE("pic/vemoup.png", QSize(34, 19), [](QPainter &p, const QSize &s) {
    drawNumberButton(p, s, QColor(0xfb, 0xfc, 0xfe), QColor(0xd6, 0xdf, 0xea), QColor(0x8a, 0x9b, 0xb0));
})
VORLANE_PICTURE("pic/vemodw.png", QSize(34, 19), [](QPainter &p, const QSize &s) {
    drawNumberButton(p, s, QColor(0x3d, 0x6f, 0xb0), QColor(0x1f, 0x46, 0x7c), QColor(0x14, 0x2e, 0x52));
})
VORLANE_PICTURE("pic/vemoover.png", QSize(34, 19), [](QPainter &p, const QSize &s) {
    drawNumberButton(p, s, QColor(0xff, 0xf4, 0xc8), QColor(0xf2, 0xd2, 0x6e), QColor(0xa8, 0x86, 0x2a));
})
VORLANE_PICTURE("pic/vemoyes.png", QSize(34, 19), [](QPainter &p, const QSize &s) {
    drawNumberButton(p, s, QColor(0xe4, 0xf7, 0xe0), QColor(0x9f, 0xd8, 0x94), QColor(0x4b, 0x8a, 0x40));
})
VORLANE_PICTURE("pic/vemono.png", QSize(34, 19), [](QPainter &p, const QSize &s) {
    drawNumberButton(p, s, QColor(0xfd, 0xe4, 0xe1), QColor(0xf0, 0xa3, 0x9a), QColor(0xa5, 0x44, 0x3a));
})
VORLANE_PICTURE("pic/vemodw_r.png", QSize(34, 19), [](QPainter &p, const QSize &s) {
    drawNumberButton(p, s, QColor(0x4c, 0xa2, 0x42), QColor(0x2a, 0x6e, 0x23), QColor(0x1b, 0x4a, 0x16));
})
VORLANE_PICTURE("pic/vemodw_w.png", QSize(34, 19), [](QPainter &p, const QSize &s) {
    drawNumberButton(p, s, QColor(0xc9, 0x4a, 0x3e), QColor(0x8e, 0x25, 0x1c), QColor(0x5e, 0x17, 0x11));
})
