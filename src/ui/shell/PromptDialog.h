#pragma once

#include <QDialog>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QQueue>

#include <initializer_list>

class QLabel;
class QPushButton;

namespace vorlane::ui {

class ModalRunner;

// The program's own message box, made once and shared by every window. It is run through the
// modal runner, owned by the window the user is in (the innermost open child window, else its
// own parent, the menu).
class PromptDialog : public QDialog
{
    Q_OBJECT

public:
    // Button sets: 0 left and right, 1 middle only, 2 all three, 3 left only on a narrow box.
    enum ButtonSet { OkCancel = 0, Single = 1, ExamThreeWay = 2, NarrowOk = 3 };
    enum Icon { Information = 0, Warning = 1, Error = 2 };
    // The result of each button: left 1, right 2, middle 3.
    enum Answer { Left = 1, Right = 2, Middle = 3 };

    static constexpr int DesignWidth = 399;
    static constexpr int DesignHeight = 110;
    static constexpr int NarrowWidth = 200;

    // What one ask() showed, for tests.
    struct Shown
    {
        QString caption;
        QString text;
        int icon = 0;
        QPointer<QWidget> owner;
    };

    explicit PromptDialog(ModalRunner &runner, QWidget *parent = nullptr);

    // Shows the box modally and returns the button pressed. The mode word "Exam" gives the
    // exam captions (确定, 取消, 作废); any other the normal ones (确定, 确定, 取消).
    int ask(const QString &caption, const QString &text, int buttonSet, int icon,
        const QString &modeWord = QString());

    // Tests: the next ask() calls return these answers in order at once, without showing the
    // box. With the queue empty the box is run through the modal runner (and its driver).
    void queueAnswer(int answer) { m_answers.enqueue(answer); }
    void queueAnswers(std::initializer_list<int> answers);
    int queuedAnswers() const { return int(m_answers.size()); }
    // Everything ask() showed, oldest first.
    const QList<Shown> &shown() const { return m_shown; }
    QString lastText() const { return m_shown.isEmpty() ? QString() : m_shown.last().text; }
    QString lastCaption() const { return m_shown.isEmpty() ? QString() : m_shown.last().caption; }
    int lastIcon() const { return m_shown.isEmpty() ? -1 : m_shown.last().icon; }
    QWidget *lastOwner() const { return m_shown.isEmpty() ? nullptr : m_shown.last().owner.data(); }
    int askCount() const { return int(m_shown.size()); }

public slots:
    // Only the buttons close the box: Escape and the window manager's close do nothing.
    void reject() override { }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void apply(const QString &caption, const QString &text, int buttonSet, int icon, const QString &modeWord);
    void arrange();

    ModalRunner &m_runner;
    QLabel *m_title = nullptr;
    QLabel *m_icon = nullptr;
    QLabel *m_text = nullptr;
    QPushButton *m_left = nullptr;
    QPushButton *m_middle = nullptr;
    QPushButton *m_right = nullptr;
    QPixmap m_background;
    QPixmap m_titleBar;
    QPixmap m_icons[3];
    int m_designWidth = DesignWidth;
    QQueue<int> m_answers;
    QList<Shown> m_shown;
    int m_iconIndex = 0;
};

// The shared progress window that long steps show while they work.
class ProgressWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ProgressWindow(QWidget *parent = nullptr);

    // Shows the window (if hidden) with the stage text and lets it paint before the work goes on.
    void showStage(const QString &text);
    QString stageText() const;

private:
    QLabel *m_label = nullptr;
};

} // namespace vorlane::ui
