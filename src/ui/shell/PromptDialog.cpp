#include "ui/shell/PromptDialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vorlane::ui {

PromptDialog::PromptDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("promptDialog"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(true);
    resize(m_designWidth, 110);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("promptTitle"));
    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("promptIcon"));
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("promptText"));
    m_text->setWordWrap(true);
    m_left = new QPushButton(this);
    m_left->setObjectName(QStringLiteral("promptLeft"));
    m_middle = new QPushButton(this);
    m_middle->setObjectName(QStringLiteral("promptMiddle"));
    m_right = new QPushButton(this);
    m_right->setObjectName(QStringLiteral("promptRight"));
    connect(m_left, &QPushButton::clicked, this, [this] { done(Left); });
    connect(m_middle, &QPushButton::clicked, this, [this] { done(Middle); });
    connect(m_right, &QPushButton::clicked, this, [this] { done(Right); });

    auto *body = new QHBoxLayout;
    body->addWidget(m_icon);
    body->addWidget(m_text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_left);
    buttons->addWidget(m_middle);
    buttons->addWidget(m_right);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
}

void PromptDialog::apply(const QString &caption, const QString &text, int buttonSet, int icon,
                         const QString &modeWord)
{
    resize(m_designWidth, height());
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
        resize(200, height());
        break;
    default:
        break; // an unknown set keeps the buttons of the previous call
    }
    static const QStyle::StandardPixmap icons[] = {QStyle::SP_MessageBoxInformation,
                                                   QStyle::SP_MessageBoxWarning,
                                                   QStyle::SP_MessageBoxCritical};
    m_icon->setPixmap(style()->standardIcon(icons[qBound(0, icon, 2)]).pixmap(32, 32));
    m_title->setText(caption);
    const bool exam = modeWord == QLatin1String("Exam");
    m_left->setText(tr("确定"));
    m_middle->setText(exam ? tr("取消") : tr("确定"));
    m_right->setText(exam ? tr("作废") : tr("取消"));
    m_lastText = text;
    m_lastCaption = caption;
}

int PromptDialog::ask(const QString &caption, const QString &text, int buttonSet, int icon,
                      const QString &modeWord)
{
    apply(caption, text, buttonSet, icon, modeWord);
    if (m_nextAnswer) {
        const int answer = *m_nextAnswer;
        m_nextAnswer.reset();
        return answer;
    }
    return exec();
}

ProgressWindow::ProgressWindow(QWidget *parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("progressWindow"));
    setWindowTitle(tr("进度条"));
    setCursor(Qt::WaitCursor);
    resize(358, 63);
    m_label = new QLabel(tr("请等待..."), this);
    m_label->setObjectName(QStringLiteral("progressLabel"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
}

void ProgressWindow::showStage(const QString &text)
{
    m_label->setText(text);
    if (!isVisible())
        show();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString ProgressWindow::stageText() const { return m_label->text(); }

} // namespace vorlane::ui
