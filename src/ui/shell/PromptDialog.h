#pragma once

#include <QDialog>
#include <QPixmap>

#include <optional>

class QLabel;
class QPushButton;

namespace vorlane::ui {

// The program's own message box, made once and shared by every window.
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

    explicit PromptDialog(QWidget *parent = nullptr);

    // Shows the box modally and returns the button pressed. The mode word "Exam" gives the
    // exam captions (确定, 取消, 作废); any other the normal ones (确定, 确定, 取消).
    int ask(const QString &caption, const QString &text, int buttonSet, int icon,
        const QString &modeWord = QString());

    // Test hook: the next ask() returns this answer at once, without showing a modal loop.
    void setNextAnswer(int answer) { m_nextAnswer = answer; }
    // What the last ask() showed, for tests.
    QString lastText() const { return m_lastText; }
    QString lastCaption() const { return m_lastCaption; }
    int lastIcon() const { return m_lastIcon; }
    int askCount() const { return m_askCount; }

public slots:
    // Only the buttons close the box: Escape and the window manager's close do nothing.
    void reject() override { }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void apply(const QString &caption, const QString &text, int buttonSet, int icon, const QString &modeWord);
    void arrange();

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
    std::optional<int> m_nextAnswer;
    QString m_lastText;
    QString m_lastCaption;
    int m_lastIcon = -1;
    int m_askCount = 0;
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
