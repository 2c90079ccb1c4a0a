#include "ui/shell/PromptDialog.h"

#include "ui/shell/ModalRunner.h"
#include "ui/shell/Theme.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace vorlane::ui {

namespace {

QPixmap shippedPicture(const char *name)
{
    return QPixmap(QCoreApplication::applicationDirPath() + QStringLiteral("/pic/") + QLatin1String(name));
}

constexpr int TitleBarHeight = 25;
constexpr int TextLeft = 56;
constexpr int TextTop = 40;
constexpr int ButtonTop = 80;

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen)
        window->move(screen->availableGeometry().center() - window->rect().center());
}

} // namespace

PromptDialog::PromptDialog(ModalRunner &runner, QWidget *parent)
    : QDialog(parent)
    , m_runner(runner)
{
    setObjectName(QStringLiteral("promptDialog"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(true);
    setWindowTitle(tr("提示框"));
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(14);
    setFont(font);
    resize(m_designWidth, DesignHeight);

    m_background = shippedPicture("prompt_background.png");
    m_titleBar = shippedPicture("prompt_titlebar.png");
    const char *iconFiles[] = { "prompt_information.png", "prompt_warning.png", "prompt_error.png" };
    const QStyle::StandardPixmap fallbacks[]
        = { QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxWarning, QStyle::SP_MessageBoxCritical };
    for (int i = 0; i < 3; ++i) {
        m_icons[i] = shippedPicture(iconFiles[i]);
        if (m_icons[i].isNull())
            m_icons[i] = style()->standardIcon(fallbacks[i]).pixmap(32, 32);
    }

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("promptTitle"));
    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("promptIcon"));
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("promptText"));
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_left = new QPushButton(this);
    m_left->setObjectName(QStringLiteral("promptLeft"));
    m_middle = new QPushButton(this);
    m_middle->setObjectName(QStringLiteral("promptMiddle"));
    m_right = new QPushButton(this);
    m_right->setObjectName(QStringLiteral("promptRight"));
    for (QPushButton *button : { m_left, m_middle, m_right }) {
        button->setFixedSize(73, 25);
    }
    // One sheet for the whole box: each sheet set on a widget costs a style pass at start-up.
    setStyleSheet(QStringLiteral("QLabel { background: transparent; }"
                                 "QLabel#promptTitle { color: white; font-style: italic; font-weight: bold; }"
                                 "QPushButton { border-radius: 11px; padding: 0; min-height: 0; }"));
    connect(m_left, &QPushButton::clicked, this, [this] { done(Left); });
    connect(m_middle, &QPushButton::clicked, this, [this] { done(Middle); });
    connect(m_right, &QPushButton::clicked, this, [this] { done(Right); });
    arrange();
}

// Fixed places as designed; a message longer than two lines makes the box taller instead of
// being cut off.
void PromptDialog::arrange()
{
    const int w = width();
    m_title->setGeometry(8, 0, w - 16, TitleBarHeight);
    m_icon->setGeometry(14, 36, 32, 32);
    const int textWidth = w - TextLeft - 12;
    const int lineHeight = m_text->fontMetrics().height();
    const int textHeight = qMax(m_text->heightForWidth(textWidth), lineHeight);
    // One line sits where designed; more lines start a little higher to keep the balance.
    const int textTop = textHeight > lineHeight ? TextTop - 8 : TextTop;
    m_text->setGeometry(TextLeft, textTop, textWidth, textHeight);
    const int buttonTop = qMax(ButtonTop, textTop + textHeight + 8);
    m_left->move(64, buttonTop);
    m_middle->move(160, buttonTop);
    m_right->move(256, buttonTop);
    setFixedSize(w, qMax(DesignHeight, buttonTop + 25 + 5));
}

void PromptDialog::apply(
    const QString &caption, const QString &text, int buttonSet, int icon, const QString &modeWord)
{
    setFixedWidth(m_designWidth);
    setWindowTitle(caption);
    m_text->setText(text);
    switch (buttonSet) {
    case OkCancel:
        m_left->setVisible(true), m_middle->setVisible(false), m_right->setVisible(true);
        break;
    case Single:
        m_left->setVisible(false), m_middle->setVisible(true), m_right->setVisible(false);
        break;
    case ExamThreeWay:
        m_left->setVisible(true), m_middle->setVisible(true), m_right->setVisible(true);
        break;
    case NarrowOk:
        m_left->setVisible(true), m_middle->setVisible(false), m_right->setVisible(false);
        setFixedWidth(NarrowWidth);
        break;
    default:
        break; // an unknown set keeps the buttons of the previous call
    }
    m_iconIndex = qBound(0, icon, 2);
    m_icon->setPixmap(m_icons[m_iconIndex]);
    m_title->setText(caption);
    const bool exam = modeWord == QLatin1String("Exam");
    m_left->setText(tr("确定"));
    m_middle->setText(exam ? tr("取消") : tr("确定"));
    m_right->setText(exam ? tr("作废") : tr("取消"));
    arrange();
    for (QPushButton *button : { m_middle, m_left, m_right })
        if (!button->isHidden()) {
            button->setDefault(true);
            button->setFocus();
            break;
        }
}

void PromptDialog::queueAnswers(std::initializer_list<int> answers)
{
    for (const int answer : answers)
        m_answers.enqueue(answer);
}

int PromptDialog::ask(
    const QString &caption, const QString &text, int buttonSet, int icon, const QString &modeWord)
{
    apply(caption, text, buttonSet, icon, modeWord);
    // The box belongs to the window the user is in, so it stays over that window and never
    // drops behind it to the menu.
    QWidget *const home = parentWidget();
    QWidget *const owner = m_runner.current() ? m_runner.current() : home;
    m_shown.append({ caption, text, m_iconIndex, owner });
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    if (owner != home)
        setParent(owner, windowFlags());
    centreOnScreen(this);
    // Whatever cursor the caller shows, the box is answered with the arrow.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = m_runner.run(*this);
    QApplication::restoreOverrideCursor();
    // Back home: the owner may be a child window about to be destroyed, which would take the
    // shared box with it.
    if (owner != home)
        setParent(home, windowFlags());
    return answer;
}

void PromptDialog::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect all = rect();
    if (!m_background.isNull())
        p.drawPixmap(all, m_background);
    else
        p.fillRect(all, QColor(theme::Paper));
    const QRect bar(0, 0, width(), TitleBarHeight);
    if (!m_titleBar.isNull())
        p.drawPixmap(bar, m_titleBar);
    else
        p.fillRect(bar, QColor(theme::Navy));
    // A faint rule above the buttons, wherever a long message has put them.
    const int ruleY = m_left->y() - 6;
    p.setPen(QColor(0x2f, 0x5d, 0x8a, 40));
    p.drawLine(12, ruleY, width() - 12, ruleY);
    p.setPen(QColor(theme::NavyDark));
    p.drawRect(all.adjusted(0, 0, -1, -1));
}

ProgressWindow::ProgressWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("progressWindow"));
    setWindowTitle(tr("进度条"));
    setCursor(Qt::WaitCursor);
    setFixedSize(358, 63);
    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("progressBevel"));
    bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bevel->setLineWidth(2);
    bevel->setGeometry(rect());
    m_label = new QLabel(tr("请等待..."), this);
    m_label->setObjectName(QStringLiteral("progressLabel"));
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(16);
    font.setBold(true);
    m_label->setFont(font);
    m_label->setGeometry(16, 22, width() - 24, 22);
    setStyleSheet(QStringLiteral("QFrame#progressBevel { background: #fbf8f1; border: 2px solid #2f5d8a; }"
                                 "QLabel#progressLabel { color: #800000; background: transparent; }"));
}

void ProgressWindow::showStage(const QString &text)
{
    m_label->setText(text);
    if (!isVisible()) {
        centreOnScreen(this);
        show();
        raise();
    }
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString ProgressWindow::stageText() const
{
    return m_label->text();
}

} // namespace vorlane::ui
