#include "ui/exam/ExamWindow.h"

#include "core/exam/UnfinishedPapers.h"

#include "core/AppState.h"
#include "core/TimeText.h"
#include "core/answer/AnswerEncoding.h"
#include "core/exam/PaperGenerator.h"
#include "core/exam/StoredPapers.h"
#include "ui/exam/ExamWidgets.h"
#include "ui/exam/PaperExport.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/ShellCommands.h"
#include "ui/shell/UiContext.h"
#include "ui/widgets/AnswerPanel.h"
#include "ui/widgets/PracticeToolWindows.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QTimer>

namespace vorlane::ui {

namespace {

const char *const PictureFiles[]
    = { "vemoup", "vemodw", "vemoyes", "vemono", "vemoover", "vemodw_r", "vemodw_w" };

} // namespace

ExamWindow::ExamWindow(UiContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_paper(context.db, context.clock)
    , m_clock(context.clock)
    , m_exporter(std::make_unique<PaperExporter>(context, this))
{
    setObjectName(QStringLiteral("examWindow"));
    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &ExamWindow::tick);
    buildWidgets();
    applyLayout();
}

ExamWindow::~ExamWindow() = default;

bool ExamWindow::isClockRunning() const
{
    return m_timer->isActive() && m_clock.isCounting();
}

bool ExamWindow::loadPictures()
{
    for (int i = 0; i < PictureCount; ++i) {
        const QString path = m_context.state.appDir + QStringLiteral("pic/") + QLatin1String(PictureFiles[i])
            + QStringLiteral(".png");
        if (!m_pictures[i].load(path))
            return false;
    }
    return true;
}

bool ExamWindow::openPaper(const exam::PaperIdentity &identity)
{
    if (!loadPictures()) {
        fail(tr("无法提取资源文件！"));
        return false;
    }
    m_context.progress.showStage(
        identity.mode == exam::PaperMode::New ? tr("正在出卷...") : tr("正在提取试卷..."));
    const Status opened = m_paper.open(identity);
    if (!opened) {
        m_context.progress.hide();
        fail(opened.reason());
        return false;
    }
    m_belowPassMark = false;
    // A paper being sat is on record until it ends, so that one the program does not live to
    // end can be continued.
    if (identity.mode == exam::PaperMode::New && !identity.continued)
        exam::UnfinishedPapers(m_context.db).begin(identity.table, m_context.state.examSubject);
    preparePaperView();
    return true;
}

void ExamWindow::preparePaperView()
{
    const bool review = !m_paper.isNew();
    m_title->setText(m_paper.identity().title);
    m_lower->hide();
    m_submit->setEnabled(!review);
    m_explain->setEnabled(review);
    m_answer->setEnabled(review);
    m_laws->setEnabled(review);
    m_export->setEnabled(review);
    m_pause->setVisible(!review);
    m_answerPanel->setEnabled(!review);
    setWindowTitle(review ? tr("查阅试卷") : tr("正在答卷"));
    m_timePages->setCurrentIndex(review ? 1 : 0);
    if (review) {
        m_usedTime->setText(m_paper.identity().timeUsed);
        m_score->setText(tr("得分：") + QString::number(m_paper.identity().score, 'g', 12) + tr(" 分"));
    }
    closeAnswerView();
    showNumberButtons(m_paper.questionCount());
    m_clock.reset();
    if (!review && m_paper.identity().continued)
        m_clock.resumeFrom(m_paper.identity().usedSeconds);
    m_runningTime->setText(m_clock.elapsedText());
    if (review) {
        m_clock.stop();
        m_timer->stop();
    } else {
        // Read once per exam: the time allowed does not change while the paper is sat.
        const Result<exam::ExamSettings> settings
            = exam::StoredPapers(m_context.db, m_context.clock).settings();
        m_examTimeSeconds = settings ? settings->examTimeSeconds : 0;
        m_timer->start();
        m_clock.start();
    }
    showTimeLeft();
}

void ExamWindow::showNumberButtons(int count)
{
    const bool review = !m_paper.isNew();
    for (int i = 1; i <= NumberButtonCount; ++i) {
        NumberButton *button = m_buttons[i - 1];
        button->setEnabled(i <= count);
        if (review && i <= count) {
            const bool right = m_paper.question(i).isRight();
            button->setPictures(m_pictures[right ? Yes : No], m_pictures[right ? DownRight : DownWrong]);
        } else {
            button->setPictures(m_pictures[Up], m_pictures[Down]);
            // A continued paper shows the answers it already has.
            if (i <= count && m_paper.question(i).isAnswered())
                button->setNormalPicture(m_pictures[Over]);
        }
    }
    m_current = 0;
    if (count > 0) {
        m_buttons[0]->setChecked(true);
        selectRow(1);
    }
}

void ExamWindow::selectRow(int row)
{
    closeAnswerView();
    if (row < 1 || row > m_paper.questionCount() || row == m_current)
        return;
    if (m_current >= 1 && m_paper.isNew())
        saveCurrent(true);
    m_current = row;
    m_number->setText(QString::number(row));
    m_previous->setEnabled(row >= 2);
    m_next->setEnabled(row < m_paper.questionCount());
    m_answerPanel->setPage(answerPageForType(m_paper.question(row).type));
    showAnswerState();
    showQuestionText();
    updateVoidState();
}

void ExamWindow::showAnswerState()
{
    const exam::PaperQuestion &question = m_paper.question(m_current);
    m_typeHeading->setText(exam::typeHeadingFor(m_context.db, m_context.state.examSubject, question.type));
    if (!m_paper.isNew()) {
        m_answer->setEnabled(!isHiddenAnswerType(question.type));
        m_explain->setEnabled(question.hasExplanation);
        m_laws->setEnabled(!question.examPoints.isEmpty());
    }
    m_note->setText(question.note.trimmed().isEmpty() ? tr("笔记") : tr("有内容"));
    m_answerPanel->restore(question.optionCount, question.answer);
}

void ExamWindow::showQuestionText()
{
    const Result<exam::QuestionText> text = m_paper.questionText(m_current);
    if (!text) {
        fail(text.reason());
        return;
    }
    if (text->hasStem) {
        m_upper->setHtml(text->stem);
        m_lower->setHtml(text->body);
        if (!m_lower->isVisible()) {
            m_lower->show();
            m_splitter->setSizes({ qMax(1, m_splitter->height() - 150), 150 });
        }
    } else {
        m_lower->hide();
        m_upper->setHtml(text->body);
    }
}

void ExamWindow::updateVoidState()
{
    m_status->clear();
    m_void->setText(tr("本题作废"));
    if (m_paper.isNew()) {
        m_void->setEnabled(false);
        return;
    }
    const exam::PaperQuestion &question = m_paper.question(m_current);
    m_void->setEnabled(true);
    m_laws->setEnabled(!question.examPoints.isEmpty());
    if (question.flag == 1) {
        m_status->setText(tr("本题已被您作废！"));
        m_void->setText(tr("取消作废"));
    } else if (question.flag == 2) {
        m_status->setText(tr("本题是您加入的题目！"));
    }
}

bool ExamWindow::saveCurrent(bool updatePicture)
{
    if (m_current < 1)
        return true;
    const QString answer = m_answerPanel->read(m_paper.question(m_current).optionCount);
    const Status saved = m_paper.saveAnswer(m_current, answer);
    if (!saved) {
        fail(saved.reason());
        return false;
    }
    if (updatePicture)
        m_buttons[m_current - 1]->setNormalPicture(m_pictures[answer.isEmpty() ? Up : Over]);
    if (m_paper.isNew())
        exam::UnfinishedPapers(m_context.db).storeTime(m_paper.identity().table, m_clock.elapsedSeconds());
    return true;
}

void ExamWindow::showTimeLeft()
{
    m_timeLeft->setVisible(m_examTimeSeconds > 0);
    if (m_examTimeSeconds > 0)
        m_timeLeft->setText(tr("剩余 %1").arg(
            elapsedTimeText(qMax<qint64>(0, m_examTimeSeconds - m_clock.elapsedSeconds()))));
}

void ExamWindow::tick()
{
    m_runningTime->setText(m_clock.elapsedText());
    showTimeLeft();
    if (!m_paper.isNew() || !m_clock.isCounting())
        return;
    // The time used, kept every half minute besides with every answer.
    if (m_clock.elapsedSeconds() % 30 == 0)
        exam::UnfinishedPapers(m_context.db).storeTime(m_paper.identity().table, m_clock.elapsedSeconds());
    // Ticks can come late, so the time is up once it is reached, not only at the exact second.
    if (m_examTimeSeconds > 0 && m_clock.elapsedSeconds() >= m_examTimeSeconds)
        timeUp();
}

void ExamWindow::timeUp()
{
    m_clock.stop();
    m_timer->stop();
    const QString elapsed = m_clock.elapsedText();
    m_runningTime->setText(elapsed);
    saveCurrent(false);
    const Result<int> unanswered = m_paper.unansweredCount();
    m_context.prompt.ask(
        tr("提示"), tr("很遗憾，考试时间到了！"), PromptDialog::Single, PromptDialog::Information);
    if (!unanswered) {
        fail(unanswered.reason());
        return;
    }
    if (exam::ExamPaper::dropsOnSubmit(*unanswered)) {
        m_paper.drop();
        finish();
    } else {
        // On failure the paper stays stored, ungraded; the user may submit it again.
        gradePaper(elapsed);
    }
}

void ExamWindow::submit()
{
    m_clock.stop();
    const QString elapsed = m_clock.elapsedText();
    if (!saveCurrent(false)) {
        m_clock.start();
        return;
    }
    const Result<int> unanswered = m_paper.unansweredCount();
    if (!unanswered) {
        fail(unanswered.reason());
        m_clock.start();
        return;
    }
    const int open = *unanswered;
    if (exam::ExamPaper::dropsOnSubmit(open)) {
        m_paper.drop();
        finish();
        return;
    }
    const QString text = open == 0 ? tr("恭喜你已经做完试卷，确定要交卷吗？")
                                   : tr("你还有") + QString::number(open) + tr("道题未做，确定要交卷吗？");
    switch (m_context.prompt.ask(
        tr("提示"), text, PromptDialog::ExamThreeWay, PromptDialog::Information, QStringLiteral("Exam"))) {
    case PromptDialog::Left:
        if (!gradePaper(elapsed))
            m_clock.start();
        break;
    case PromptDialog::Right:
        // A whole paper is thrown away: asked once more, since the answers go with it.
        if (m_context.prompt.ask(tr("提示"), tr("作废后本试卷及其答案将被删除，确定要作废吗？"),
                PromptDialog::OkCancel, PromptDialog::Warning)
            != PromptDialog::Left) {
            m_clock.start();
            break;
        }
        if (const Status abandoned = m_paper.abandon(elapsed, open); !abandoned)
            fail(abandoned.reason());
        finish();
        break;
    default:
        m_clock.start();
        break;
    }
}

bool ExamWindow::gradePaper(const QString &elapsed)
{
    m_context.progress.showStage(tr("正在判卷..."));
    const Result<exam::GradeResult> graded = m_paper.grade(m_context.state.examSubject, elapsed);
    if (!graded) {
        // The exam window comes back usable; the paper and its answers stay as stored.
        m_context.progress.hide();
        fail(graded.reason());
        activateWindow();
        return false;
    }
    m_belowPassMark = graded->belowPassMark;
    m_context.progress.showStage(tr("正在提取试卷..."));
    const Status reopened = m_paper.open(m_paper.identity());
    m_context.progress.hide();
    if (!reopened) {
        fail(reopened.reason());
        finish();
        return true;
    }
    preparePaperView();
    activateWindow();
    return true;
}

void ExamWindow::closeReview()
{
    if (m_belowPassMark) {
        // Said before the paper goes, so the user can still look at it once more.
        m_context.prompt.ask(tr("提示"), tr("本试卷成绩低于及格分数，关闭后将不予保存。"),
            PromptDialog::Single, PromptDialog::Information);
        m_paper.drop();
    }
    finish();
}

void ExamWindow::reject()
{
    // Closing the window goes the way of the "关闭" button: a paper being sat is submitted.
    if (m_paper.questionCount() == 0)
        finish();
    else if (m_paper.isNew())
        submit();
    else
        closeReview();
}

void ExamWindow::finish()
{
    m_timer->stop();
    m_clock.stop();
    if (m_paper.questionCount() > 0)
        exam::UnfinishedPapers(m_context.db).end(m_paper.identity().table);
    if (m_paused)
        m_cover->hide();
    QDialog::done(QDialog::Accepted);
}

void ExamWindow::fail(const QString &message)
{
    m_context.prompt.ask(tr("错误"), message, PromptDialog::Single, PromptDialog::Error);
}

void ExamWindow::togglePause()
{
    QWidget *const paused[] = { m_submit, m_note, m_close, m_answerPanel, m_board };
    if (!m_paused) {
        m_paused = true;
        m_pause->setText(tr("继续考试"));
        m_clock.stop();
        m_timer->stop();
        m_previousWasEnabled = m_previous->isEnabled();
        m_nextWasEnabled = m_next->isEnabled();
        for (QWidget *widget : paused)
            widget->setEnabled(false);
        m_previous->setEnabled(false);
        m_next->setEnabled(false);
        m_cover->unroll();
    } else {
        m_paused = false;
        m_pause->setText(tr("暂停考试"));
        m_timer->start();
        m_clock.start();
        for (QWidget *widget : paused)
            widget->setEnabled(true);
        m_previous->setEnabled(m_previousWasEnabled);
        m_next->setEnabled(m_nextWasEnabled);
        m_cover->rollUp();
    }
}

void ExamWindow::toggleAnswerView()
{
    if (m_current < 1)
        return;
    const int target = m_questionArea->width();
    const int height = m_questionArea->height();
    if (m_answer->text() == tr("答案")) {
        const exam::PaperQuestion &question = m_paper.question(m_current);
        const AnswerVerdict verdict
            = answerVerdict(m_answerPanel->page(), m_answerPanel->read(question.optionCount), question.key);
        m_answerTip->setText(verdict.right ? tr("恭喜你，做对了！") : tr("很遗憾，做错了，请继续努力！"));
        m_yourAnswer->setText(verdict.yours);
        m_rightAnswer->setText(verdict.key);
        m_answer->setText(tr("返回"));
        m_answerView->raise();
        m_answerView->show();
        int width = 0;
        for (int step = 20; width < target; step += 20) {
            width = qMin(target, width + step);
            m_answerView->setGeometry(0, 0, width, height);
            m_answerView->repaint();
        }
    } else {
        m_answer->setText(tr("答案"));
        int width = m_answerView->width();
        for (int step = 20; width >= 1; step += 20) {
            width = qMax(0, width - step);
            m_answerView->setGeometry(0, 0, width, height);
            m_answerView->repaint();
        }
        m_answerView->hide();
    }
}

void ExamWindow::closeAnswerView()
{
    if (m_answer->text() != tr("答案"))
        m_answer->setText(tr("答案"));
    m_answerView->setGeometry(0, 0, 0, m_questionArea->height());
    m_answerView->hide();
}

void ExamWindow::openExplanation()
{
    const Result<QString> html = m_paper.explanation(m_current);
    if (!html) {
        fail(html.reason());
        return;
    }
    ExplanationWindow window(m_context, *html, this);
    m_context.modal.run(window);
}

void ExamWindow::openNote()
{
    if (m_current < 1)
        return;
    NoteWindow window(m_context, m_paper.question(m_current).note, this);
    m_context.modal.run(window);
    // The note belongs to this paper's row only, not to the question's own row.
    if (window.changed())
        if (const Status saved = m_paper.saveNote(m_current, window.note()); !saved)
            fail(saved.reason());
    m_note->setText(window.hasContent() ? tr("有内容") : tr("笔记"));
}

void ExamWindow::openExamPoints()
{
    if (m_current < 1)
        return;
    RelatedLawsWindow window(m_context, this);
    if (window.loadExamPoints(m_paper.question(m_current).id))
        m_context.modal.run(window);
}

void ExamWindow::toggleVoid()
{
    if (m_current < 1 || m_paper.isNew())
        return;
    const bool voiding = m_void->text() == tr("本题作废");
    if (const Status saved = m_paper.setVoided(m_current, voiding); !saved) {
        fail(saved.reason());
        return;
    }
    m_status->setText(voiding ? tr("本题已被您作废！") : tr("本题曾被作废，现已被您取消！"));
    m_void->setText(voiding ? tr("取消作废") : tr("本题作废"));
}

void ExamWindow::showDesktop()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible())
            window->showMinimized();
}

void ExamWindow::keyPressEvent(QKeyEvent *event)
{
    int option = -1;
    switch (panelKeyAction(m_answerPanel->page(), event->key(), &option)) {
    case PanelKey::Previous:
        if (m_previous->isEnabled())
            m_previous->click();
        return;
    case PanelKey::Next:
        if (m_next->isEnabled())
            m_next->click();
        return;
    case PanelKey::Option:
        if (m_answerPanel->isEnabled())
            m_answerPanel->pressOption(option);
        return;
    case PanelKey::None:
        break;
    }
    QDialog::keyPressEvent(event);
}

} // namespace vorlane::ui
