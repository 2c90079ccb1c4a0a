#include "ui/widgets/PracticeToolWindows.h"

#include "core/AppState.h"
#include "core/laws/RelatedLaws.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace vorlane::ui {

namespace {

QPushButton *closeButton(const QString &caption, QDialog *dialog)
{
    auto *button = new QPushButton(caption, dialog);
    button->setObjectName(QStringLiteral("closeButton"));
    QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
    return button;
}

QHBoxLayout *buttonBar(QPushButton *button)
{
    auto *bar = new QHBoxLayout;
    bar->addStretch();
    bar->addWidget(button);
    return bar;
}

} // namespace

NoteWindow::NoteWindow(UiContext &, const QString &note, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("noteWindow"));
    setWindowTitle(tr("笔记"));
    resize(480, 320);
    m_text = new QPlainTextEdit(note, this);
    m_text->setObjectName(QStringLiteral("noteText"));
    // As the editor gives it back: line breaks of another system, turned into its own on the way
    // in, are not a change the user made.
    m_original = m_text->toPlainText();
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttonBar(closeButton(tr("关  闭"), this)));
}

QString NoteWindow::note() const
{
    return m_text->toPlainText();
}

ExplanationWindow::ExplanationWindow(UiContext &, const QString &html, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("explanationWindow"));
    setWindowTitle(tr("解析"));
    resize(560, 380);
    m_view = new QTextBrowser(this);
    m_view->setObjectName(QStringLiteral("explanationView"));
    m_view->setOpenLinks(false);
    m_view->setHtml(html);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttonBar(closeButton(tr("关闭"), this)));
}

QString ExplanationWindow::plainText() const
{
    return m_view->toPlainText();
}

RelatedLawsWindow::RelatedLawsWindow(UiContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("relatedLawsWindow"));
    setWindowTitle(tr("相关考点"));
    m_titles = new QListWidget(this);
    m_titles->setObjectName(QStringLiteral("lawTitles"));
    m_titles->setSortingEnabled(false); // sorted by the core as the titles are read
    m_close = closeButton(tr("关  闭"), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_titles, 1);
    layout->addLayout(buttonBar(m_close));
    if (context.state.compactLayout()) {
        setFixedSize(750, 140);
        m_titles->setFixedSize(748, 100);
    } else {
        setFixedSize(838, 99 + 36);
    }
}

bool RelatedLawsWindow::loadExamPoints(const QString &questionId)
{
    const Result<QStringList> keys = vorlane::loadExamPoints(m_context.db, questionId);
    if (!keys) {
        m_context.prompt.ask(
            tr("错误"), keys.reason(), PromptDialog::Single, PromptDialog::Error, QStringLiteral("NO"));
        return false;
    }
    m_keys = *keys;
    return !m_keys.isEmpty();
}

void RelatedLawsWindow::showEvent(QShowEvent *event)
{
    m_titles->clear();
    const Result<QStringList> titles = examPointTitles(m_context.db, m_keys);
    if (titles) {
        m_titles->addItems(*titles);
        if (m_titles->count() > 0)
            m_titles->setCurrentRow(0);
    } else {
        m_context.prompt.ask(
            tr("错误"), titles.reason(), PromptDialog::Single, PromptDialog::Error, QStringLiteral("NO"));
    }
    QDialog::showEvent(event);
}

QStringList RelatedLawsWindow::titles() const
{
    QStringList all;
    for (int i = 0; i < m_titles->count(); ++i)
        all << m_titles->item(i)->text();
    return all;
}

} // namespace vorlane::ui
