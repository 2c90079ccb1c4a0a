#include "ui/exam/ExamWindow.h"

#include "core/AppState.h"
#include "ui/exam/ExamWidgets.h"
#include "ui/exam/PaperExport.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/ShellCommands.h"
#include "ui/shell/UiContext.h"
#include "ui/widgets/AnswerPanel.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

// How the exam window is put together and laid out for the two screen sizes.
namespace vorlane::ui {

namespace {

QPushButton *makeButton(const QString &caption, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QLabel *makeLabel(const QString &text, const char *name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

void ExamWindow::buildWidgets()
{
    m_title = makeLabel(QString(), "examTitle", this);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_number = makeLabel(QString(), "examQuestionNumber", this);
    m_typeHeading = makeLabel(QString(), "examTypeHeading", this);
    m_status = makeLabel(QString(), "examStatus", this);
    m_status->setStyleSheet(QStringLiteral("color: #c00000"));

    m_questionArea = new QWidget(this);
    m_questionArea->setObjectName(QStringLiteral("examQuestionArea"));
    m_splitter = new QSplitter(Qt::Vertical, m_questionArea);
    m_upper = new QTextBrowser(m_splitter);
    m_upper->setObjectName(QStringLiteral("examUpperText"));
    m_lower = new QTextBrowser(m_splitter);
    m_lower->setObjectName(QStringLiteral("examLowerText"));
    for (QTextBrowser *pane : { m_upper, m_lower })
        pane->setFocusPolicy(Qt::NoFocus);
    auto *areaLayout = new QVBoxLayout(m_questionArea);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    areaLayout->addWidget(m_splitter);

    // The answer view slides over the question text from the left.
    m_answerView = new QFrame(m_questionArea);
    m_answerView->setObjectName(QStringLiteral("examAnswerView"));
    m_answerView->setAutoFillBackground(true);
    static_cast<QFrame *>(m_answerView)->setFrameShape(QFrame::Box);
    m_answerTip = makeLabel(QString(), "examAnswerTip", m_answerView);
    m_answerTip->setAlignment(Qt::AlignCenter);
    m_yourAnswer = makeLabel(QString(), "examYourAnswer", m_answerView);
    m_rightAnswer = makeLabel(QString(), "examRightAnswer", m_answerView);
    auto *viewLayout = new QGridLayout(m_answerView);
    viewLayout->addWidget(m_answerTip, 0, 0, 1, 2);
    viewLayout->addWidget(makeLabel(tr("你的答案："), "examYourAnswerCaption", m_answerView), 1, 0);
    viewLayout->addWidget(m_yourAnswer, 1, 1);
    viewLayout->addWidget(makeLabel(tr("正确答案："), "examRightAnswerCaption", m_answerView), 2, 0);
    viewLayout->addWidget(m_rightAnswer, 2, 1);
    viewLayout->setRowStretch(3, 1);
    viewLayout->setColumnStretch(1, 1);
    m_answerView->setGeometry(0, 0, 0, 0);
    m_answerView->hide();
    m_cover = new PauseCover(m_questionArea);

    m_answerPanel = new AnswerPanel(this);
    m_answerPanel->setObjectName(QStringLiteral("examAnswerPanel"));
    m_previous = makeButton(tr("上一题"), "examPrevious", this);
    m_next = makeButton(tr("下一题"), "examNext", this);
    m_submit = makeButton(tr("交卷"), "examSubmit", this);
    m_close = makeButton(tr("关闭"), "examClose", this);
    m_explain = makeButton(tr("解析"), "examExplain", this);
    m_note = makeButton(tr("笔记"), "examNote", this);
    m_answer = makeButton(tr("答案"), "examShowAnswer", this);
    m_laws = makeButton(tr("考点"), "examLaws", this);
    m_export = makeButton(tr("生成文档"), "examExport", this);
    m_void = makeButton(tr("本题作废"), "examVoid", this);
    m_settings = makeButton(tr("设置"), "examSettings", this);
    m_desktop = makeButton(tr("桌面"), "examDesktop", this);
    m_pause = makeButton(tr("暂停考试"), "examPause", this);

    m_timePages = new QStackedWidget(this);
    m_timePages->setObjectName(QStringLiteral("examTimePages"));
    auto *answering = new QWidget(m_timePages);
    m_runningTime = makeLabel(QStringLiteral("0:00:00"), "examRunningTime", answering);
    QFont clockFont = m_runningTime->font();
    clockFont.setPixelSize(22);
    clockFont.setBold(true);
    m_runningTime->setFont(clockFont);
    m_runningTime->setAlignment(Qt::AlignCenter);
    auto *answeringLayout = new QVBoxLayout(answering);
    answeringLayout->setContentsMargins(0, 0, 0, 0);
    answeringLayout->addWidget(m_runningTime);
    answeringLayout->addWidget(m_pause, 0, Qt::AlignHCenter);
    auto *reviewing = new QWidget(m_timePages);
    m_usedTime = makeLabel(QString(), "examUsedTime", reviewing);
    m_score = makeLabel(QString(), "examScore", reviewing);
    m_score->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold"));
    auto *reviewingLayout = new QGridLayout(reviewing);
    reviewingLayout->setContentsMargins(0, 0, 0, 0);
    reviewingLayout->addWidget(makeLabel(tr("用时："), "examUsedTimeCaption", reviewing), 0, 0);
    reviewingLayout->addWidget(m_usedTime, 0, 1);
    reviewingLayout->addWidget(m_score, 1, 0, 1, 2);
    m_timePages->addWidget(answering);
    m_timePages->addWidget(reviewing);

    m_board = new QWidget(this);
    m_board->setObjectName(QStringLiteral("examNumberBoard"));
    auto *boardLayout = new QGridLayout(m_board);
    boardLayout->setContentsMargins(0, 0, 0, 0);
    boardLayout->setSpacing(1);
    m_numbers = new QButtonGroup(this);
    m_numbers->setExclusive(true);
    // Five columns, filled column by column.
    for (int i = 0; i < NumberButtonCount; ++i) {
        m_buttons[i] = new NumberButton(i + 1, m_board);
        m_numbers->addButton(m_buttons[i], i + 1);
        boardLayout->addWidget(m_buttons[i], i % 20, i / 20);
    }
    connect(m_numbers, &QButtonGroup::idClicked, this, &ExamWindow::selectRow);

    auto *header = new QHBoxLayout;
    header->addWidget(makeLabel(tr("第"), "examNumberBefore", this));
    header->addWidget(m_number);
    header->addWidget(makeLabel(tr("题"), "examNumberAfter", this));
    header->addSpacing(12);
    header->addWidget(m_typeHeading);
    header->addSpacing(12);
    header->addWidget(m_status, 1);

    // The compact layout has no room for the tools beside the answer panel: they go below it.
    const bool compact = m_context.state.compactLayout();
    auto *tools = new QGridLayout;
    tools->setSpacing(2);
    QPushButton *const toolOrder[]
        = { m_submit, m_answer, m_note, m_export, m_laws, m_void, m_explain, m_close };
    for (int i = 0; i < 8; ++i) {
        if (compact)
            tools->addWidget(toolOrder[i], 0, i < 4 ? i : i + 1);
        else
            tools->addWidget(toolOrder[i], i / 4, i % 4);
    }
    if (compact)
        tools->setColumnStretch(4, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_previous);
    bottom->addWidget(m_answerPanel, 1);
    bottom->addWidget(m_next);

    auto *left = new QVBoxLayout;
    left->addLayout(header);
    left->addWidget(m_questionArea, 1);
    left->addLayout(bottom);
    if (compact) {
        left->addLayout(tools);
    } else {
        bottom->addSpacing(8);
        bottom->addLayout(tools);
    }

    auto *board = new QGroupBox(tr("提示板"), this);
    board->setObjectName(QStringLiteral("examBoardGroup"));
    auto *boardColumn = new QVBoxLayout(board);
    auto *boardTools = new QHBoxLayout;
    boardTools->addWidget(m_settings);
    boardTools->addWidget(m_desktop);
    boardColumn->addLayout(boardTools);
    boardColumn->addWidget(m_timePages);
    boardColumn->addWidget(m_board, 0, Qt::AlignHCenter);
    boardColumn->addStretch();

    auto *body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addWidget(board);
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(6, 4, 6, 6);
    root->setSpacing(4);
    root->addWidget(m_title);
    root->addLayout(body, 1);

    connect(m_previous, &QPushButton::clicked, this, [this] {
        if (m_current > 1) {
            m_buttons[m_current - 2]->setChecked(true);
            selectRow(m_current - 1);
        }
    });
    connect(m_next, &QPushButton::clicked, this, [this] {
        if (m_current < m_paper.questionCount()) {
            m_buttons[m_current]->setChecked(true);
            selectRow(m_current + 1);
        }
    });
    auto submitOrClose = [this] {
        if (m_paper.isNew())
            submit();
        else
            closeReview();
    };
    connect(m_submit, &QPushButton::clicked, this, submitOrClose);
    connect(m_close, &QPushButton::clicked, this, submitOrClose);
    connect(m_pause, &QPushButton::clicked, this, &ExamWindow::togglePause);
    connect(m_answer, &QPushButton::clicked, this, &ExamWindow::toggleAnswerView);
    connect(m_explain, &QPushButton::clicked, this, &ExamWindow::openExplanation);
    connect(m_note, &QPushButton::clicked, this, &ExamWindow::openNote);
    connect(m_laws, &QPushButton::clicked, this, &ExamWindow::openExamPoints);
    connect(m_export, &QPushButton::clicked, this,
        [this] { m_exporter->exportPaper(m_paper.identity(), m_context.state.examSubject); });
    connect(m_void, &QPushButton::clicked, this, &ExamWindow::toggleVoid);
    connect(m_desktop, &QPushButton::clicked, this, &ExamWindow::showDesktop);
    connect(m_settings, &QPushButton::clicked, this, [this] { openSystemSettings(m_context, this); });
}

void ExamWindow::applyLayout()
{
    const bool compact = m_context.state.compactLayout();
    const QSize button = compact ? QSize(26, 15) : QSize(34, 19);
    for (NumberButton *number : m_buttons)
        number->setFixedSize(button);
    for (QPushButton *tool : { m_submit, m_close, m_explain, m_note, m_answer, m_laws, m_void })
        tool->setFixedWidth(compact ? 70 : 75);
    for (QPushButton *move : { m_previous, m_next })
        move->setFixedSize(compact ? QSize(62, 32) : QSize(78, 32));
    if (compact) {
        resize(773, 478);
        m_upper->setMinimumHeight(120);
    } else {
        resize(1000, 700);
    }
}

} // namespace vorlane::ui
