#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QWidget>

class QTimer;

namespace vorlane::ui {

// One of the exam window's number buttons: a picture for released and one for pressed,
// with the question's number drawn over it.
class NumberButton : public QAbstractButton
{
public:
    NumberButton(int number, QWidget *parent = nullptr);

    void setPictures(const QPixmap &normal, const QPixmap &pressed);
    void setNormalPicture(const QPixmap &normal);
    const QPixmap &normalPicture() const { return m_normal; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_normal;
    QPixmap m_pressed;
};

// The cover that hides the questions while the exam is paused; a few lines scroll up on it.
class PauseCover : public QWidget
{
public:
    explicit PauseCover(QWidget *parent = nullptr);

    // Unrolls over the parent's whole area and starts the text; roll() takes it away again.
    void unroll();
    void rollUp();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer *m_scroll = nullptr;
    int m_offset = 0;
};

} // namespace vorlane::ui
