#include "ui/widgets/IndicatorBoard.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPainter>

namespace vorlane::ui {

std::optional<IndicatorPictures> IndicatorPictures::load(const QString &appDir)
{
    static const char *const released[] = { "pic/vemoup.bmp", "pic/vemoyes.bmp", "pic/vemono.bmp" };
    static const char *const pressed[] = { "pic/vemodw.bmp", "pic/vemodw_r.bmp", "pic/vemodw_w.bmp" };
    IndicatorPictures pictures;
    for (int i = 0; i < 3; ++i) {
        if (!pictures.released[i].load(appDir + QLatin1String(released[i]))
            || !pictures.pressed[i].load(appDir + QLatin1String(pressed[i])))
            return std::nullopt;
    }
    return pictures;
}

PictureButton::PictureButton(const QString &caption, QWidget *parent)
    : QAbstractButton(parent)
{
    setText(caption);
    setCursor(Qt::PointingHandCursor);
}

void PictureButton::setPictures(const QPixmap &released, const QPixmap &pressed)
{
    m_released = released;
    m_pressed = pressed;
    update();
}

QSize PictureButton::sizeHint() const
{
    return m_released.isNull() ? QSize(40, 26) : m_released.size();
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPixmap &picture = (isChecked() || isDown()) ? m_pressed : m_released;
    painter.drawPixmap(rect(), picture);
    // Black caption, blue under the mouse, grey when disabled.
    painter.setPen(!isEnabled() ? QColor(0x90, 0x90, 0x90)
            : m_hovered         ? QColor(0x10, 0x40, 0xd0)
                                : Qt::black);
    painter.drawText(rect().adjusted(0, 0, -m_captionRightMargin, 0), Qt::AlignCenter, text());
}

void PictureButton::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

IndicatorBoard::IndicatorBoard(IndicatorPictures pictures, QWidget *parent)
    : QWidget(parent)
    , m_pictures(std::move(pictures))
{
    setObjectName(QStringLiteral("indicatorBoard"));
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(3);
    for (int i = 0; i < ButtonCount; ++i) {
        auto *button = new PictureButton(QString::number(i + 1), this);
        button->setObjectName(QStringLiteral("indicator%1").arg(i + 1));
        button->setCheckable(true);
        button->setEnabled(false);
        button->setFocusPolicy(Qt::NoFocus);
        button->setCaptionRightMargin(9);
        button->setMinimumSize(34, 22);
        m_group->addButton(button, i);
        grid->addWidget(button, i / 5, i % 5);
        m_buttons[i] = button;
        setState(i, IndicatorState::NotAnswered);
    }
    connect(m_group, &QButtonGroup::idClicked, this, [this](int index) {
        if (m_values[index] > 0)
            emit questionPressed(m_values[index]);
    });
}

void IndicatorBoard::setButton(int index, int value, IndicatorState state)
{
    m_values[index] = value;
    m_buttons[index]->setEnabled(value > 0);
    setState(index, value > 0 ? state : IndicatorState::NotAnswered);
}

void IndicatorBoard::setState(int index, IndicatorState state)
{
    if (index < 0 || index >= ButtonCount)
        return;
    const int i = int(state);
    m_buttons[index]->setPictures(m_pictures.released[i], m_pictures.pressed[i]);
}

void IndicatorBoard::press(int index)
{
    if (index < 0 || index >= ButtonCount || m_values[index] <= 0)
        return;
    m_buttons[index]->setChecked(true);
    emit questionPressed(m_values[index]);
}

void IndicatorBoard::releaseAll()
{
    m_group->setExclusive(false);
    for (PictureButton *button : m_buttons)
        button->setChecked(false);
    m_group->setExclusive(true);
}

int IndicatorBoard::value(int index) const
{
    return m_values.at(index);
}

} // namespace vorlane::ui
