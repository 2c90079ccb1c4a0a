#pragma once

#include "core/practice/PracticeSession.h"

#include <QAbstractButton>
#include <QPixmap>
#include <QWidget>

#include <array>
#include <optional>

class QButtonGroup;

namespace vorlane::ui {

// The six pictures of a question button: released and pressed, for not answered, right and wrong.
struct IndicatorPictures
{
    std::array<QPixmap, 3> released;
    std::array<QPixmap, 3> pressed;

    // From pic/ under the program's folder; nothing when any picture cannot be read.
    static std::optional<IndicatorPictures> load(const QString &appDir);
};

// A button that shows its picture for the state it is in, with its caption over it.
class PictureButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit PictureButton(const QString &caption, QWidget *parent = nullptr);
    void setPictures(const QPixmap &released, const QPixmap &pressed);
    // Keeps the caption clear of a mark drawn at the picture's right edge.
    void setCaptionRightMargin(int margin) { m_captionRightMargin = margin; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QPixmap m_released;
    QPixmap m_pressed;
    bool m_hovered = false;
    int m_captionRightMargin = 0;
};

// The board of twenty question buttons of one group: one pressed at a time, each showing
// whether its question was answered in this window and whether rightly.
class IndicatorBoard : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ButtonCount = 20;

    IndicatorBoard(IndicatorPictures pictures, QWidget *parent = nullptr);

    // Button index 0..19: enabled with the list position it stands for, or disabled (value 0).
    void setButton(int index, int value, IndicatorState state);
    void setState(int index, IndicatorState state);
    // Presses the button as a click would (it shows its question).
    void press(int index);
    void releaseAll();
    int value(int index) const;
    PictureButton *button(int index) const { return m_buttons.at(index); }

signals:
    void questionPressed(int position);

private:
    IndicatorPictures m_pictures;
    std::array<PictureButton *, ButtonCount> m_buttons {};
    std::array<int, ButtonCount> m_values {};
    QButtonGroup *m_group = nullptr;
};

} // namespace vorlane::ui
