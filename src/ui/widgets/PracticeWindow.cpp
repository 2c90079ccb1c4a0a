#include "ui/widgets/PracticeWindow.h"

#include "core/AppState.h"
#include "core/Clock.h"
#include "core/TimeText.h"
#include "core/answer/AnswerEncoding.h"
#include "ui/shell/AuthoringOpeners.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/ShellCommands.h"
#include "ui/shell/UiContext.h"
#include "ui/widgets/AnswerPanel.h"
#include "ui/widgets/PracticeToolWindows.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QTimer>

namespace vorlane::ui {

namespace {

const QString NoModeWord = QStringLiteral("NO");

struct HourglassCursor
{
    HourglassCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~HourglassCursor() { QApplication::restoreOverrideCursor(); }
};

// A label wraps Chinese text between any two characters; "第一节" torn over two lines reads
// badly. Short words (chapter and section numbers, subject names) are held together with word
// joiners; a word longer than a line may still break, or it would be cut off.
QString unbrokenWords(const QString &text)
{
    constexpr qsizetype ShortWord = 6;
    QString out;
    qsizetype start = 0;
    // Words are separated by any blank; banks use the full-width one.
    for (qsizetype at = 0; at <= text.size(); ++at) {
        if (at < text.size() && !text.at(at).isSpace())
            continue;
        const QString word = text.mid(start, at - start);
        for (qsizetype i = 0; i < word.size(); ++i) {
            if (i > 0 && word.size() <= ShortWord)
                out += QChar(0x2060);
            out += word.at(i);
        }
        if (at < text.size())
            out += text.at(at);
        start = at + 1;
    }
    return out;
}

QString twoLines(const QString &caption)
{
    return caption.left(2);
}

} // namespace

PracticeVariant PracticeVariant::chapter()
{
    PracticeVariant variant;
    variant.startPage = 0;
    variant.voidCaption = QCoreApplication::translate("PracticeWindow", "题目作废");
    variant.emptySubmitText = QCoreApplication::translate("PracticeWindow", "请先做出答案！");
    variant.compactSize = QSize(780, 490);
    return variant;
}

PracticeVariant PracticeVariant::article()
{
    PracticeVariant variant;
    variant.startPage = int(AnswerKind::SelfAssessed);
    variant.voidCaption = QCoreApplication::translate("PracticeWindow", "本题作废");
    variant.emptySubmitText = QCoreApplication::translate("PracticeWindow", "题还没做呢！");
    variant.fillsNoticeBoard = false;
    variant.showsEditedNotice = false;
    variant.typeNamesSelfAssessed = false;
    variant.disablesExplanationOnShow = true;
    variant.offersEditor = false;
    variant.compactSize = QSize(774, 489);
    return variant;
}

PracticeWindow::PracticeWindow(UiContext &context, PracticeVariant variant, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_variant(std::move(variant))
    , m_session(context.db, context.clock)
{
    setObjectName(QStringLiteral("practiceWindow"));
    setWindowTitle(tr("章节练习"));
    std::optional<IndicatorPictures> pictures = IndicatorPictures::load(context.state.appDir);
    m_picturesLoaded = pictures.has_value();
    m_indicators = new IndicatorBoard(pictures.value_or(IndicatorPictures {}), this);
    connect(m_indicators, &IndicatorBoard::questionPressed, this, &PracticeWindow::indicatorPressed);
    buildLayout();
    m_panel->setPage(m_variant.startPage);

    m_questionTimer = new QTimer(this);
    m_questionTimer->setObjectName(QStringLiteral("questionTimer"));
    connect(m_questionTimer, &QTimer::timeout, this, &PracticeWindow::questionTick);
    m_clockTimer = new QTimer(this);
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, &PracticeWindow::updateClock);

    connect(m_previousGroup, &QPushButton::clicked, this,
        [this] { showGroup(PracticeSession::GroupMove::Previous); });
    connect(
        m_nextGroup, &QPushButton::clicked, this, [this] { showGroup(PracticeSession::GroupMove::Next); });
    connect(m_previous, &QPushButton::clicked, this, &PracticeWindow::previousQuestion);
    connect(m_next, &QPushButton::clicked, this, &PracticeWindow::nextQuestion);
    connect(m_submit, &QPushButton::clicked, this, &PracticeWindow::submit);
    connect(m_answer, &QPushButton::clicked, this, &PracticeWindow::toggleAnswerView);
    connect(m_void, &QPushButton::clicked, this, &PracticeWindow::toggleVoid);
    connect(m_editQuestion, &QPushButton::clicked, this, &PracticeWindow::editQuestion);
    connect(m_note, &QPushButton::clicked, this, &PracticeWindow::openNote);
    connect(m_explanation, &QPushButton::clicked, this, &PracticeWindow::openExplanation);
    connect(m_examPoints, &QPushButton::clicked, this, &PracticeWindow::openRelatedLaws);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_settings, &QPushButton::clicked, this, [this] { openSystemSettings(m_context, this); });
    // Linux has no common show-desktop chord: the program's own windows step aside instead.
    connect(m_desktop, &QPushButton::clicked, this, [] {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->isVisible())
                window->showMinimized();
    });

    if (!m_picturesLoaded) {
        m_context.prompt.ask(
            tr("错误"), tr("无法提取资源文件！"), PromptDialog::Single, PromptDialog::Error, NoModeWord);
        m_context.endProgram(1);
    }
}

PracticeWindow::~PracticeWindow() = default;

void PracticeWindow::showError(const QString &reason)
{
    m_context.prompt.ask(tr("错误"), reason, PromptDialog::Single, PromptDialog::Error, NoModeWord);
}

void PracticeWindow::notice(const QString &text, int icon)
{
    m_context.prompt.ask(tr("提示"), text, PromptDialog::Single, icon, NoModeWord);
}

bool PracticeWindow::openQuestionList()
{
    const Result<bool> opened = m_session.openQuestionList(m_context.state.practiceList);
    if (!opened) {
        m_listFailed = true;
        showError(opened.reason());
        return false;
    }
    if (!*opened)
        return false;
    const QString pic = m_context.state.appDir + QStringLiteral("pic/");
    if (!m_typeReleased.load(pic + QStringLiteral("vemotxup.bmp"))
        || !m_typePressed.load(pic + QStringLiteral("vemotxdw.bmp"))) {
        m_picturesLoaded = false;
        m_context.prompt.ask(
            tr("错误"), tr("无法提取资源文件！"), PromptDialog::Single, PromptDialog::Error, NoModeWord);
        m_context.endProgram(1);
        return false;
    }
    const Result<QList<QuestionType>> types = loadQuestionTypes(m_context.db, m_context.state.examSubject);
    if (!types) {
        m_listFailed = true;
        showError(types.reason());
        return false;
    }
    m_types = *types;
    buildTypeBoard();
    return true;
}

void PracticeWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_started.isValid())
        return; // shown again after a tool window: the practice goes on
    HourglassCursor hourglass;
    m_gauge->setValue(0);
    applyLayout();
    m_splitter->setSizes({ 1, 0 });
    m_answerView->setGeometry(0, 0, 0, m_questionArea->height());
    if (m_variant.fillsNoticeBoard)
        m_noticeBoard->setText(unbrokenWords(m_context.state.currentChapterName));
    m_session.setCurrentPos(0);
    pressType(0);
    m_started = m_context.clock.now();
    updateClock();
    m_clockTimer->start();
    m_examPoints->setEnabled(false);
    if (m_variant.disablesExplanationOnShow)
        m_explanation->setEnabled(false);
}

void PracticeWindow::setNoticeBoard(const QString &text)
{
    m_noticeBoard->setText(text);
}

QString PracticeWindow::noticeBoard() const
{
    return m_noticeBoard->text();
}

void PracticeWindow::pressType(int typeId)
{
    for (PictureButton *button : std::as_const(m_typeButtons))
        if (button->property("typeId").toInt() == typeId && button->isEnabled())
            return typePressed(typeId);
}

void PracticeWindow::typePressed(int typeId)
{
    if (m_session.currentPos() > 0) {
        recordAnswer(m_session.currentPos(), RecordMode::Silent);
        m_session.setCurrentPos(0);
    }
    PictureButton *pressed = nullptr;
    for (PictureButton *button : std::as_const(m_typeButtons))
        if (button->property("typeId").toInt() == typeId)
            pressed = button;
    if (m_variant.typeNamesSelfAssessed)
        m_panel->setSelfAssessedLabel(typeId != 0 && pressed ? twoLines(pressed->text()) : tr("主观"));
    if (!m_session.applyTypeFilter(typeId)) {
        if (pressed)
            pressed->setEnabled(false);
        if (m_pressedType >= 0 && m_pressedType != typeId)
            typePressed(m_pressedType);
        return;
    }
    m_pressedType = typeId;
    for (PictureButton *button : std::as_const(m_typeButtons))
        button->setChecked(button == pressed);
    showGroup(PracticeSession::GroupMove::First);
}

void PracticeWindow::showGroup(PracticeSession::GroupMove move)
{
    m_session.showGroup(move);
    const int first = m_session.groupFirst();
    m_groupLine->setText(
        tr("共%1组%2道题  第%3组").arg(m_session.groupCount()).arg(m_session.count()).arg(m_session.group()));
    m_previousGroup->setEnabled(m_session.group() > 1);
    m_nextGroup->setEnabled(m_session.group() < m_session.groupCount());
    for (int i = 0; i < IndicatorBoard::ButtonCount; ++i) {
        if (i < m_session.groupSize())
            m_indicators->setButton(i, first + i, m_session.indicatorState(first + i));
        else
            m_indicators->setButton(i, 0, IndicatorState::NotAnswered);
    }
    m_indicators->releaseAll();
    m_indicators->press(0);
}

void PracticeWindow::indicatorPressed(int position)
{
    m_editedNotice->clear();
    closeAnswerViewAtOnce();
    m_previous->setEnabled(position > 1);
    m_next->setEnabled(position < m_session.count());
    showQuestion(position);
    const PracticeQuestion &question = m_session.at(position);
    m_voidNotice->clear();
    m_void->setText(m_variant.voidCaption);
    if (question.voidFlag == 1) {
        m_voidNotice->setText(tr("本题已被您作废！"));
        m_void->setText(tr("取消作废"));
    } else if (question.voidFlag == 2) {
        m_voidNotice->setText(tr("本题是您加入的题目！"));
    }
    if (m_variant.showsEditedNotice && question.editCount != 0)
        m_editedNotice->setText(tr("本题被您修改过"));
}

void PracticeWindow::showQuestion(int position)
{
    recordAnswer(m_session.currentPos(), RecordMode::Leave);
    m_session.setCurrentPos(position);
    const PracticeQuestion &question = m_session.at(position);
    const int shown = question.attempts >= 1 ? question.attempts + 1 : 1;
    m_header->setText(tr("第%1题（第%2次出现）").arg(position - m_session.groupFirst() + 1).arg(shown));
    const int page = answerPageForType(question.typeId);
    if (page != AnswerPanel::NoPage)
        m_panel->setPage(page);
    const Result<QuestionBody> body = m_session.loadBody(question.id);
    m_body = body ? *body : QuestionBody {};
    prepareAnswerWidgets();
    if (body)
        loadQuestionBody(*body, question.isComposite());
    else
        m_context.prompt.ask(
            tr("错误"), tr("无法打开试题！"), PromptDialog::Single, PromptDialog::Error, NoModeWord);
    m_indicators->setState((position - 1) % IndicatorBoard::ButtonCount, m_session.indicatorState(position));
    m_gauge->setValue(0);
    m_gauge->setStyleSheet(QStringLiteral("QProgressBar::chunk { background: #2f8a3f; }"));
    m_questionTimer->start(m_context.state.answerTickMs(question.typeId));
}

void PracticeWindow::loadQuestionBody(const QuestionBody &body, bool composite)
{
    if (composite) {
        if (m_splitter->sizes().value(1) <= 0) {
            const int total = qMax(m_splitter->height(), 300);
            m_splitter->setSizes({ total - 150, 150 });
        }
        m_upper->setHtml(body.stem);
        m_lower->setHtml(body.text);
    } else {
        m_splitter->setSizes({ 1, 0 });
        m_upper->setHtml(body.text);
        m_lower->clear();
    }
}

void PracticeWindow::applyToolButtons(const PracticeQuestion &question)
{
    const bool answered = question.answeredInWindow();
    m_explanation->setEnabled(answered && m_body.hasExplanation);
    m_examPoints->setEnabled(answered && question.hasExamPoints());
    m_answer->setEnabled(answered && !isHiddenAnswerType(question.typeId));
}

void PracticeWindow::prepareAnswerWidgets()
{
    const PracticeQuestion &question = m_session.at(m_session.currentPos());
    applyToolButtons(question);
    m_note->setText(question.hasNote() ? tr("有内容") : tr("笔记"));
    m_panel->restore(question.optionCount, question.windowAnswer);
}

void PracticeWindow::recordAnswer(int position, RecordMode mode)
{
    if (position <= 0 || position > m_session.count())
        return;
    const PracticeQuestion &question = m_session.at(position);
    const QString answer = m_panel->read(question.optionCount);
    const Result<RecordOutcome> outcome = m_session.recordAnswer(position, answer);
    if (!outcome) {
        showError(outcome.reason());
        return;
    }
    const int index = position - m_session.groupFirst();
    if (!answer.isEmpty()) {
        if (mode == RecordMode::Submit) {
            applyToolButtons(m_session.at(position));
            m_indicators->setState(
                (position - 1) % IndicatorBoard::ButtonCount, m_session.indicatorState(position));
        } else if (mode == RecordMode::Leave && m_session.inGroup(position)) {
            m_indicators->setState(index, m_session.indicatorState(position));
        }
        return;
    }
    if (mode == RecordMode::Submit)
        notice(m_variant.emptySubmitText, PromptDialog::Warning);
    else if (mode == RecordMode::Leave && m_session.inGroup(position))
        m_indicators->setState(index, IndicatorState::NotAnswered);
}

void PracticeWindow::submit()
{
    if (m_session.currentPos() >= 1)
        recordAnswer(m_session.currentPos(), RecordMode::Submit);
}

void PracticeWindow::nextQuestion()
{
    const int target = m_session.currentPos() + 1;
    if (target <= m_session.groupLast())
        m_indicators->press(target - m_session.groupFirst());
    else if (m_session.group() < m_session.groupCount())
        showGroup(PracticeSession::GroupMove::Next);
}

void PracticeWindow::previousQuestion()
{
    const int target = m_session.currentPos() - 1;
    if (target >= m_session.groupFirst() && target >= 1)
        m_indicators->press(target - m_session.groupFirst());
    else if (m_session.group() > 1)
        showGroup(PracticeSession::GroupMove::Previous); // opens at the group's first question
}

void PracticeWindow::closeAnswerViewAtOnce()
{
    if (m_answer->text() != tr("返回"))
        return;
    m_answer->setText(tr("答案"));
    m_answerView->resize(0, m_answerView->height());
}

void PracticeWindow::toggleAnswerView()
{
    if (m_answer->text() == tr("答案")) {
        const PracticeQuestion &question = m_session.at(m_session.currentPos());
        const AnswerVerdict verdict
            = answerVerdict(m_panel->page(), m_panel->read(question.optionCount), question.key);
        m_resultLine->setText(verdict.right ? tr("恭喜你，做对了！") : tr("很遗憾，做错了，请继续努力！"));
        m_yourAnswer->setText(verdict.yours);
        m_rightAnswer->setText(verdict.key);
    }
    const bool closing = m_answer->text() == tr("返回");
    m_answer->setText(closing ? tr("答案") : tr("返回"));
    m_answerView->raise();
    // Slides in growing steps, letting the screen follow each one; the area is measured at each
    // step, since the screen may lay it out anew in between.
    int width = m_answerView->width();
    for (int step = 20; closing ? width > 0 : width < m_questionArea->width(); step += 20) {
        width = closing ? qMax(0, width - step) : qMin(m_questionArea->width(), width + step);
        m_answerView->setGeometry(0, 0, width, m_questionArea->height());
        m_answerView->repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void PracticeWindow::questionTick()
{
    if (m_gauge->value() < 100) {
        m_gauge->setValue(m_gauge->value() + 1);
        if (m_gauge->value() == 66) // the last third of the time shows red
            m_gauge->setStyleSheet(QStringLiteral("QProgressBar::chunk { background: #d02020; }"));
        return;
    }
    m_questionTimer->stop();
    notice(tr("到时间了"), PromptDialog::Warning);
    const Status marked = m_session.markTimeUp(m_session.currentPos());
    if (!marked)
        showError(marked.reason());
}

int PracticeWindow::gaugeValue() const
{
    return m_gauge->value();
}

QString PracticeWindow::elapsedText() const
{
    const qint64 seconds = m_started.isValid() ? qMax<qint64>(0, m_started.secsTo(m_context.clock.now())) : 0;
    return elapsedTimeText(seconds);
}

void PracticeWindow::updateClock()
{
    m_clock->setText(elapsedText());
}

void PracticeWindow::editQuestion()
{
    const int position = m_session.currentPos();
    if (position < 1)
        return;
    m_questionTimer->stop();
    if (openQuestionEditor(m_context, this, m_session.at(position).id)) {
        if (const Status reloaded = m_session.reloadQuestion(position); !reloaded)
            showError(reloaded.reason());
        indicatorPressed(position); // the edited question afresh, with its notices and a new timer
        return;
    }
    m_questionTimer->start();
}

void PracticeWindow::toggleVoid()
{
    const int position = m_session.currentPos();
    if (m_session.count() == 0 || position < 1)
        return;
    const bool restore = m_void->text() != m_variant.voidCaption;
    const Status changed = m_session.setVoided(position, !restore);
    if (!changed) {
        showError(changed.reason());
        return;
    }
    m_voidNotice->setText(restore ? tr("本题曾被作废，现已被您取消！") : tr("本题已被您作废！"));
    m_void->setText(restore ? m_variant.voidCaption : tr("取消作废"));
}

void PracticeWindow::openNote()
{
    const int position = m_session.currentPos();
    if (position < 1)
        return;
    NoteWindow window(m_context, m_session.at(position).note, this);
    m_context.modal.run(window);
    if (!window.changed()) {
        m_note->setText(window.hasContent() ? tr("有内容") : tr("笔记"));
        return;
    }
    const Status saved = m_session.saveNote(position, window.note());
    if (!saved)
        showError(saved.reason());
    m_note->setText(window.hasContent() ? tr("有内容") : tr("笔记"));
}

void PracticeWindow::openExplanation()
{
    std::unique_ptr<ExplanationWindow> window;
    {
        HourglassCursor hourglass;
        window = std::make_unique<ExplanationWindow>(m_context, m_body.explanation, this);
    }
    m_context.modal.run(*window);
}

void PracticeWindow::openRelatedLaws()
{
    const int position = m_session.currentPos();
    if (position >= 1) {
        RelatedLawsWindow window(m_context, this);
        if (window.loadExamPoints(m_session.at(position).id))
            m_context.modal.run(window);
    }
    if (!isVisible())
        show();
}

void PracticeWindow::keyPressEvent(QKeyEvent *event)
{
    int option = -1;
    switch (panelKeyAction(m_panel->page(), event->key(), &option)) {
    case PanelKey::Previous:
        if (m_previous->isEnabled())
            previousQuestion();
        break;
    case PanelKey::Next:
        if (m_next->isEnabled())
            nextQuestion();
        break;
    case PanelKey::Option:
        m_panel->pressOption(option);
        break;
    case PanelKey::None:
        QDialog::keyPressEvent(event);
        break;
    }
}

void PracticeWindow::done(int result)
{
    if (!m_finished) {
        m_finished = true;
        HourglassCursor hourglass;
        m_clockTimer->stop();
        m_questionTimer->stop();
        const QString elapsed = elapsedText();
        if (m_session.currentPos() > 0)
            recordAnswer(m_session.currentPos(), RecordMode::Silent);
        const Status finished = m_session.finish(elapsed);
        if (!finished)
            showError(finished.reason());
    }
    QDialog::done(result);
}

} // namespace vorlane::ui
