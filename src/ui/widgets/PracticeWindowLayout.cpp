// The practice window's widgets and their arrangement in the two screen layouts.
#include "ui/widgets/PracticeWindow.h"

#include "core/AppState.h"
#include "ui/shell/UiContext.h"
#include "ui/widgets/AnswerPanel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

namespace vorlane::ui {

namespace {

// A small mark that turns while the window is open, so the user sees the practice running.
class TurningMark : public QWidget
{
public:
    explicit TurningMark(QWidget *parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("practiceAnimation"));
        setFixedSize(36, 36);
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this] {
            m_angle = (m_angle + 30) % 360;
            update();
        });
        timer->start(120);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(width() / 2.0, height() / 2.0);
        for (int i = 0; i < 12; ++i) {
            const int alpha = 40 + ((i * 30 + m_angle) % 360) * 215 / 360;
            p.setPen(QPen(QColor(0x2f, 0x5d, 0x8a, alpha), 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(0, -9), QPointF(0, -15));
            p.rotate(30);
        }
    }

private:
    int m_angle = 0;
};

QPushButton *commandButton(const QString &caption, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    return button;
}

QTextBrowser *questionPane(const char *name, QWidget *parent)
{
    auto *pane = new QTextBrowser(parent);
    pane->setObjectName(QLatin1String(name));
    pane->setOpenLinks(false);
    pane->setFocusPolicy(Qt::NoFocus);
    return pane;
}

} // namespace

void PracticeWindow::buildLayout()
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // Disabled commands read grey, enabled ones black and blue under the mouse.
    setStyleSheet(
        QStringLiteral("QPushButton { color: black; padding: 2px 4px; } QPushButton:hover { color: blue; }"
                       "QPushButton:disabled { color: gray; }"
                       "QGroupBox { margin-top: 8px; padding-top: 2px; }"));

    m_header = new QLabel(this);
    m_header->setObjectName(QStringLiteral("questionHeader"));
    m_voidNotice = new QLabel(this);
    m_voidNotice->setObjectName(QStringLiteral("voidNotice"));
    m_voidNotice->setStyleSheet(QStringLiteral("color: red;"));
    m_editedNotice = new QLabel(this);
    m_editedNotice->setObjectName(QStringLiteral("editedNotice"));
    m_editedNotice->setStyleSheet(QStringLiteral("color: #b05000;"));
    auto *noticeBox = new QGroupBox(tr("提示板"), this);
    m_noticeBoard = new QLabel(noticeBox);
    m_noticeBoard->setObjectName(QStringLiteral("noticeBoard"));
    // A long chapter label wraps instead of widening the window.
    m_noticeBoard->setWordWrap(true);
    m_noticeBoard->setMinimumWidth(1);
    (new QHBoxLayout(noticeBox))->addWidget(m_noticeBoard);

    m_questionArea = new QWidget(this);
    m_questionArea->setObjectName(QStringLiteral("questionArea"));
    m_splitter = new QSplitter(Qt::Vertical, m_questionArea);
    m_splitter->setObjectName(QStringLiteral("questionSplitter"));
    m_upper = questionPane("upperPane", m_splitter);
    m_lower = questionPane("lowerPane", m_splitter);
    m_splitter->addWidget(m_upper);
    m_splitter->addWidget(m_lower);
    m_splitter->setCollapsible(1, true);
    (new QVBoxLayout(m_questionArea))->setContentsMargins(0, 0, 0, 0);
    m_questionArea->layout()->addWidget(m_splitter);

    // The answer view lies over the question area and slides in from the left.
    m_answerView = new QFrame(m_questionArea);
    m_answerView->setObjectName(QStringLiteral("answerView"));
    m_answerView->setAutoFillBackground(true);
    m_answerView->setStyleSheet(
        QStringLiteral("#answerView { background: #fdf8e4; border: 1px solid #b8a870; }"));
    m_resultLine = new QLabel(m_answerView);
    m_resultLine->setObjectName(QStringLiteral("resultLine"));
    m_yourAnswer = new QLineEdit(m_answerView);
    m_yourAnswer->setObjectName(QStringLiteral("yourAnswer"));
    m_yourAnswer->setReadOnly(true);
    m_rightAnswer = new QLineEdit(m_answerView);
    m_rightAnswer->setObjectName(QStringLiteral("rightAnswer"));
    m_rightAnswer->setReadOnly(true);
    auto *viewLayout = new QGridLayout(m_answerView);
    viewLayout->addWidget(m_resultLine, 0, 0, 1, 2);
    viewLayout->addWidget(new QLabel(tr("你的答案："), m_answerView), 1, 0);
    viewLayout->addWidget(m_yourAnswer, 1, 1);
    viewLayout->addWidget(new QLabel(tr("正确答案："), m_answerView), 2, 0);
    viewLayout->addWidget(m_rightAnswer, 2, 1);
    viewLayout->setRowStretch(3, 1);
    m_answerView->setGeometry(0, 0, 0, 0);

    m_panel = new AnswerPanel(this);

    m_typeBoard = new QGroupBox(tr("题型指示板"), this);
    m_typeBoard->setObjectName(QStringLiteral("typeBoard"));
    m_typeGrid = new QGridLayout(m_typeBoard);
    m_typeGrid->setSpacing(3);
    m_typeGrid->setAlignment(Qt::AlignTop);

    auto *indicatorBox = new QGroupBox(tr("题目指示板"), this);
    auto *indicatorLayout = new QVBoxLayout(indicatorBox);
    indicatorLayout->addWidget(m_indicators);
    m_groupLine = new QLabel(indicatorBox);
    m_groupLine->setObjectName(QStringLiteral("groupLine"));
    m_groupLine->setAlignment(Qt::AlignCenter);
    indicatorLayout->addWidget(m_groupLine);
    m_previousGroup = commandButton(tr("<-上一组"), "previousGroupButton", indicatorBox);
    m_nextGroup = commandButton(tr("下一组->"), "nextGroupButton", indicatorBox);
    auto *groupButtons = new QHBoxLayout;
    groupButtons->addWidget(m_previousGroup);
    groupButtons->addWidget(m_nextGroup);
    indicatorLayout->addLayout(groupButtons);

    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("questionGauge"));
    m_gauge->setOrientation(Qt::Vertical);
    m_gauge->setRange(0, 100);
    m_gauge->setTextVisible(false);
    auto *clockBox = new QGroupBox(tr("时钟"), this);
    m_clock = new QLabel(QStringLiteral("0:00:00"), clockBox);
    m_clock->setObjectName(QStringLiteral("practiceClock"));
    m_clock->setAlignment(Qt::AlignCenter);
    (new QHBoxLayout(clockBox))->addWidget(m_clock);
    m_clock->setMinimumWidth(90);
    m_animation = new TurningMark(this);

    m_previous = commandButton(tr("上一题"), "previousButton", this);
    m_next = commandButton(tr("下一题"), "nextButton", this);
    m_submit = commandButton(tr("完成"), "submitButton", this);
    m_explanation = commandButton(tr("解析"), "explanationButton", this);
    m_note = commandButton(tr("笔记"), "noteButton", this);
    m_answer = commandButton(tr("答案"), "answerButton", this);
    m_examPoints = commandButton(tr("考点"), "examPointsButton", this);
    m_settings = commandButton(tr("设置"), "settingsButton", this);
    m_desktop = commandButton(tr("桌面"), "desktopButton", this);
    m_close = commandButton(tr("关闭"), "closeButton", this);
    m_void = commandButton(m_variant.voidCaption, "voidButton", this);
    m_editQuestion = commandButton(tr("修改本题"), "editQuestionButton", this);
    m_editQuestion->setVisible(m_variant.showsEditedNotice); // chapter practice only

    // Header line over the question area; the boards, gauge and clock on the right.
    auto *headerLine = new QHBoxLayout;
    headerLine->addWidget(m_header);
    headerLine->addWidget(m_voidNotice);
    headerLine->addWidget(m_editedNotice);
    headerLine->addStretch();
    auto *left = new QVBoxLayout;
    left->addLayout(headerLine);
    left->addWidget(m_questionArea, 1);
    auto *answerLine = new QHBoxLayout;
    answerLine->addWidget(m_panel, 1);
    answerLine->addWidget(clockBox);
    left->addLayout(answerLine);

    auto *right = new QGridLayout;
    right->setSpacing(4);
    right->addWidget(noticeBox, 0, 0);
    right->addWidget(m_typeBoard, 1, 0);
    right->addWidget(indicatorBox, 2, 0);
    right->addWidget(m_gauge, 0, 1, 2, 1, Qt::AlignHCenter);
    right->addWidget(m_animation, 2, 1, Qt::AlignHCenter | Qt::AlignBottom);
    right->setRowStretch(1, 1);

    // One row of commands, in the order a user reaches for them.
    auto *commands = new QHBoxLayout;
    commands->setSpacing(3);
    for (QPushButton *button : { m_previous, m_next, m_submit, m_answer, m_explanation, m_note, m_examPoints,
             m_void, m_editQuestion, m_settings, m_desktop, m_close })
        commands->addWidget(button);

    auto *body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(right);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(commands);
}

void PracticeWindow::applyLayout()
{
    const bool compact = m_context.state.compactLayout();
    setFixedSize(compact ? m_variant.compactSize : QSize(1000, 705));
    QFont base = font();
    base.setPointSize(compact ? 9 : 10);
    setFont(base);
    layout()->setContentsMargins(compact ? 4 : 9, compact ? 4 : 9, compact ? 4 : 9, compact ? 4 : 9);
    layout()->setSpacing(compact ? 3 : 6);
    m_gauge->setFixedWidth(compact ? 14 : 18);
    for (PictureButton *button : std::as_const(m_typeButtons))
        button->setMinimumSize(compact ? 64 : 80, compact ? 20 : 24);
    if (const QScreen *screen = this->screen()) // centred on the screen, not on the hidden catalogue
        move(screen->availableGeometry().center() - rect().center());
}

void PracticeWindow::buildTypeBoard()
{
    for (PictureButton *button : std::as_const(m_typeButtons))
        delete button;
    m_typeButtons.clear();
    QList<QuestionType> all { QuestionType { 0, tr("任意") } };
    all += m_types;
    for (int i = 0; i < all.size(); ++i) {
        const QuestionType &type = all.at(i);
        auto *button = new PictureButton(type.name, m_typeBoard);
        button->setObjectName(QStringLiteral("typeButton%1").arg(type.id));
        button->setProperty("typeId", type.id);
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setPictures(m_typeReleased, m_typePressed);
        button->setMinimumSize(64, 20);
        button->setEnabled(type.id == 0 || m_session.countOfType(type.id) > 0);
        connect(button, &PictureButton::clicked, this, [this, id = type.id] { pressType(id); });
        m_typeGrid->addWidget(button, i / 2, i % 2);
        m_typeButtons.append(button);
    }
}

} // namespace vorlane::ui
