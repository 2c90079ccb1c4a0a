#pragma once

#include "core/answer/AnswerEncoding.h"

#include <QAbstractButton>
#include <QDialog>
#include <QPixmap>
#include <QWidget>

#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStackedWidget;
class QTimer;
class QToolButton;

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

// The answer panel of the exam window: the six pages of answer widgets over AnswerPanelState,
// which owns every reading and restoring rule.
class ExamAnswerPanel : public QWidget
{
public:
    explicit ExamAnswerPanel(QWidget *parent = nullptr);

    int page() const { return m_state.page; }
    void showPageForType(int typeId);
    QString readAnswer() const;
    void restoreAnswer(const QString &answer, int optionCount);
    // A letter key or click on an option of the page shown.
    void pressOption(int index);

private:
    void syncWidgets();

    AnswerPanelState m_state;
    QStackedWidget *m_pages = nullptr;
    std::array<std::array<QToolButton *, OptionButtonCount>, 3> m_options{}; // pages 0, 1, 5
    QLineEdit *m_fillIn = nullptr;
    std::array<QToolButton *, 2> m_trueFalse{};
    QComboBox *m_selfAssessed = nullptr;
    bool m_syncing = false;
};

// A read-only rich-text window: the explanation ("解析") and the related exam points ("相关考点").
class ExamTextDialog : public QDialog
{
public:
    ExamTextDialog(const QString &caption, const QString &html, QWidget *parent = nullptr);
};

// The note on a paper's question ("笔记").
class ExamNoteDialog : public QDialog
{
public:
    ExamNoteDialog(const QString &note, QWidget *parent = nullptr);
    QString note() const;

private:
    QPlainTextEdit *m_text = nullptr;
};

} // namespace vorlane::ui
