#include "Artwork.h"

#include <QPainter>

// The program's icon; the shell draws the rest of its pictures beside this file.
VORLANE_PICTURE("pic/icon.png", QSize(64, 64), [](QPainter &p, const QSize &s) {
    p.setBrush(QColor(0x2f, 0x5d, 0x8a));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRect(QPoint(0, 0), s), 12, 12);
    p.setPen(Qt::white);
    QFont font(QStringLiteral("Noto Serif CJK SC"));
    font.setPixelSize(40);
    p.setFont(font);
    p.drawText(QRect(QPoint(0, 0), s), Qt::AlignCenter, QStringLiteral("V"));
})
