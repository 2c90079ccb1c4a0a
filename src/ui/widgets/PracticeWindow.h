#pragma once

#include "core/practice/PracticeSession.h"
#include "ui/widgets/IndicatorBoard.h"

#include <QDateTime>
#include <QDialog>
#include <QSize>

class QLabel;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTextBrowser;
class QTimer;
class QButtonGroup;
class QLineEdit;
class QGridLayout;

namespace vorlane::ui {

struct UiContext;
class AnswerPanel;

// What the chapter practice window and the article practice window do differently.
struct PracticeVariant
{
    int startPage = 0;
    QString voidCaption;
    QString emptySubmitText;
    bool fillsNoticeBoard = true; // the chapter name; article practice leaves the opener's text
    bool showsEditedNotice = true; // "本题被您修改过"
    bool typeNamesSelfAssessed = true; // the type filter renames the self-assessed page
    bool disablesExplanationOnShow = false; // "解析" as well as "考点" starts disabled
    bool offersEditor = true; // "修改本题"
    QSize compactSize;

    static PracticeVariant chapter();
    // Practice over the questions of one article (or of a bank search).
    static PracticeVariant article();
};

enum class RecordMode { Leave, Submit, Silent };

// One question list answered question by question, in groups of twenty, with the type board,
// the question timer, the clock and the practice tools. It keeps no rules of its own: the list,
// the recording and the counters are the session's.
class PracticeWindow : public QDialog
{
    Q_OBJECT

public:
    PracticeWindow(UiContext &context, PracticeVariant variant, QWidget *parent = nullptr);
    ~PracticeWindow() override;

    bool picturesLoaded() const { return m_picturesLoaded; }
    // Opens the list of AppState::practiceList; true when it holds a question.
    bool openQuestionList();
    bool listFailed() const { return m_listFailed; }
    // The notice board's text, for openers whose variant does not fill it.
    void setNoticeBoard(const QString &text);
    QString noticeBoard() const;

    PracticeSession &session() { return m_session; }
    AnswerPanel *answerPanel() const { return m_panel; }
    IndicatorBoard *indicatorBoard() const { return m_indicators; }

    // The commands behind the buttons, also for the keyboard and for tests.
    void showQuestion(int position);
    void recordAnswer(int position, RecordMode mode);
    void nextQuestion();
    void previousQuestion();
    void submit();
    void toggleAnswerView();
    void pressType(int typeId);
    void toggleVoid();
    void openNote();
    void openExplanation();
    void openRelatedLaws();
    // "修改本题": the editor on the question shown; the timer stops while it is open.
    void editQuestion();
    // One tick of the question timer.
    void questionTick();
    int gaugeValue() const;
    QTimer *questionTimer() const { return m_questionTimer; }
    QString elapsedText() const;

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildLayout();
    void applyLayout();
    void buildTypeBoard();
    void typePressed(int typeId);
    void showGroup(PracticeSession::GroupMove move);
    void indicatorPressed(int position);
    void prepareAnswerWidgets();
    void loadQuestionBody(const QuestionBody &body, bool composite);
    void applyToolButtons(const PracticeQuestion &question);
    void closeAnswerViewAtOnce();
    void updateClock();
    void showError(const QString &reason);
    void notice(const QString &text, int icon);

    UiContext &m_context;
    PracticeVariant m_variant;
    PracticeSession m_session;
    bool m_picturesLoaded = false;
    bool m_listFailed = false;
    bool m_finished = false;
    QuestionBody m_body;
    QList<QuestionType> m_types;
    int m_pressedType = -1;
    QPixmap m_typeReleased;
    QPixmap m_typePressed;
    QDateTime m_started;

    QLabel *m_header = nullptr;
    QLabel *m_voidNotice = nullptr;
    QLabel *m_editedNotice = nullptr;
    QLabel *m_noticeBoard = nullptr;
    QSplitter *m_splitter = nullptr;
    QTextBrowser *m_upper = nullptr;
    QTextBrowser *m_lower = nullptr;
    QWidget *m_questionArea = nullptr;
    QWidget *m_answerView = nullptr;
    QLabel *m_resultLine = nullptr;
    QLineEdit *m_yourAnswer = nullptr;
    QLineEdit *m_rightAnswer = nullptr;
    AnswerPanel *m_panel = nullptr;
    QWidget *m_typeBoard = nullptr;
    QGridLayout *m_typeGrid = nullptr;
    QList<PictureButton *> m_typeButtons;
    IndicatorBoard *m_indicators = nullptr;
    QLabel *m_groupLine = nullptr;
    QPushButton *m_previousGroup = nullptr;
    QPushButton *m_nextGroup = nullptr;
    QProgressBar *m_gauge = nullptr;
    QLabel *m_clock = nullptr;
    QTimer *m_questionTimer = nullptr;
    QTimer *m_clockTimer = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_submit = nullptr;
    QPushButton *m_explanation = nullptr;
    QPushButton *m_note = nullptr;
    QPushButton *m_answer = nullptr;
    QPushButton *m_examPoints = nullptr;
    QPushButton *m_settings = nullptr;
    QPushButton *m_desktop = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_void = nullptr;
    QPushButton *m_editQuestion = nullptr;
    QWidget *m_animation = nullptr;
};

} // namespace vorlane::ui
