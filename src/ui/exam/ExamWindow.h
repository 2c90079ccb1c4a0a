#pragma once

#include "core/exam/ExamPaper.h"

#include <QDialog>
#include <QPixmap>

#include <array>
#include <functional>
#include <memory>

class QButtonGroup;
class QLabel;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QTextBrowser;
class QTimer;
class QWidget;

namespace vorlane::ui {

struct UiContext;
class AnswerPanel;
class NumberButton;
class PauseCover;
class PaperExporter;

// The window in which a paper is sat ("new") and reviewed ("old"). It shows the paper and
// forwards every action to the paper in core, which owns the statements and rules.
class ExamWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr int NumberButtonCount = 100;

    ExamWindow(UiContext &context, QWidget *parent = nullptr);
    ~ExamWindow() override;

    // Whoever opens the system settings from the "设置" button; nothing when unset.

    // Loads the paper and lays the window out for it. Shows the failure and returns false when
    // the pictures or the paper cannot be had.
    bool openPaper(const exam::PaperIdentity &identity);

    const exam::ExamPaper &paper() const { return m_paper; }
    // "生成文档" of the review; tests answer its save dialog and its opener through it.
    PaperExporter &paperExporter() { return *m_exporter; }
    int currentRow() const { return m_current; }
    bool isPaused() const { return m_paused; }
    bool isClockRunning() const;

public slots:
    // Once a second while the exam runs; tests call it after moving the clock.
    void tick();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void reject() override;

private:
    enum Picture { Up, Down, Yes, No, Over, DownRight, DownWrong, PictureCount };

    void buildWidgets();
    void applyLayout();
    bool loadPictures();
    void preparePaperView();
    void showNumberButtons(int count);
    void selectRow(int row);
    void showAnswerState();
    void showQuestionText();
    bool saveCurrent(bool updatePicture);
    void updateVoidState();

    void submit();
    void timeUp();
    bool gradePaper(const QString &elapsed);
    void closeReview();
    void togglePause();
    void toggleAnswerView();
    void closeAnswerView();
    void openExplanation();
    void openNote();
    void openExamPoints();
    void toggleVoid();
    void showDesktop();
    void finish();
    void fail(const QString &message);

    UiContext &m_context;
    exam::ExamPaper m_paper;
    exam::ExamClock m_clock;
    QTimer *m_timer = nullptr;
    std::array<QPixmap, PictureCount> m_pictures;
    std::unique_ptr<PaperExporter> m_exporter;
    int m_current = 0;
    bool m_paused = false;
    bool m_belowPassMark = false;
    int m_examTimeSeconds = 0; // of the paper being sat; 0: the clock never ends it
    bool m_previousWasEnabled = false;
    bool m_nextWasEnabled = false;

    QLabel *m_title = nullptr;
    QLabel *m_number = nullptr;
    QLabel *m_typeHeading = nullptr;
    QLabel *m_status = nullptr;
    QWidget *m_questionArea = nullptr;
    QSplitter *m_splitter = nullptr;
    QTextBrowser *m_upper = nullptr;
    QTextBrowser *m_lower = nullptr;
    QWidget *m_answerView = nullptr;
    QLabel *m_answerTip = nullptr;
    QLabel *m_yourAnswer = nullptr;
    QLabel *m_rightAnswer = nullptr;
    PauseCover *m_cover = nullptr;
    AnswerPanel *m_answerPanel = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_submit = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_explain = nullptr;
    QPushButton *m_note = nullptr;
    QPushButton *m_answer = nullptr;
    QPushButton *m_laws = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_void = nullptr;
    QPushButton *m_settings = nullptr;
    QPushButton *m_desktop = nullptr;
    QPushButton *m_pause = nullptr;
    QStackedWidget *m_timePages = nullptr;
    QLabel *m_runningTime = nullptr;
    QLabel *m_usedTime = nullptr;
    QLabel *m_score = nullptr;
    QWidget *m_board = nullptr;
    QButtonGroup *m_numbers = nullptr;
    std::array<NumberButton *, NumberButtonCount> m_buttons {};
};

} // namespace vorlane::ui
