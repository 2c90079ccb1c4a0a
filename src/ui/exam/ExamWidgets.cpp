#include "ui/exam/ExamWidgets.h"

#include <QPainter>
#include <QTimer>

namespace vorlane::ui {

// ---- NumberButton ---------------------------------------------------------------------------

NumberButton::NumberButton(int number, QWidget *parent)
    : QAbstractButton(parent)
{
    setObjectName(QStringLiteral("examNumber%1").arg(number));
    setText(QString::number(number));
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
}

void NumberButton::setPictures(const QPixmap &normal, const QPixmap &pressed)
{
    m_normal = normal;
    m_pressed = pressed;
    update();
}

void NumberButton::setNormalPicture(const QPixmap &normal)
{
    m_normal = normal;
    update();
}

QSize NumberButton::sizeHint() const
{
    return QSize(34, 19);
}

void NumberButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPixmap &picture = isChecked() ? m_pressed : m_normal;
    if (!picture.isNull())
        painter.drawPixmap(rect(), picture);
    painter.setPen(!isEnabled() ? QColor(128, 128, 128) : isChecked() ? Qt::white : Qt::black);
    QFont small = font();
    small.setPixelSize(qMax(9, height() - 6));
    painter.setFont(small);
    painter.drawText(rect(), Qt::AlignCenter, text());
}

// ---- PauseCover -----------------------------------------------------------------------------

namespace {

const char16_t *const CoverLines[] = {
    u"考试已暂停",
    u"",
    u"章节练习：按章节逐题练习，错题自动收集",
    u"法规学习：按考点浏览法规条文并练习",
    u"模拟考试：按大纲比例随机组卷，自动判分",
    u"试卷查阅：回顾每一份试卷的答案与解析",
    u"学习记录：每日统计，学习计划与倒计时",
    u"",
    u"点击“继续考试”返回试卷",
};

} // namespace

PauseCover::PauseCover(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("examPauseCover"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0x24, 0x3b, 0x55));
    setPalette(palette);
    m_scroll = new QTimer(this);
    m_scroll->setInterval(60);
    connect(m_scroll, &QTimer::timeout, this, [this] {
        ++m_offset;
        update();
    });
    hide();
}

void PauseCover::unroll()
{
    QWidget *area = parentWidget();
    const QRect full = area ? area->rect().adjusted(1, 1, -1, -1) : rect();
    m_offset = 0;
    raise();
    show();
    // Unrolls downwards in steps of 15 pixels, each one painted.
    for (int height = 15; height < full.height(); height += 15) {
        setGeometry(full.x(), full.y(), full.width(), height);
        repaint();
    }
    setGeometry(full);
    m_scroll->start();
}

void PauseCover::rollUp()
{
    m_scroll->stop();
    for (int height = this->height() - 15; height > 0; height -= 15) {
        resize(width(), height);
        repaint();
    }
    hide();
}

void PauseCover::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QColor(0xe8, 0xee, 0xf5));
    QFont big = font();
    big.setPixelSize(16);
    painter.setFont(big);
    const int lineHeight = 30;
    const int count = int(std::size(CoverLines));
    const int span = height() + count * lineHeight;
    const int top = height() - (m_offset % span);
    for (int i = 0; i < count; ++i)
        painter.drawText(QRect(0, top + i * lineHeight, width(), lineHeight), Qt::AlignCenter,
            QString::fromUtf16(CoverLines[i]));
}

} // namespace vorlane::ui
