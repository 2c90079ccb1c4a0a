#include "ui/widgets/PracticeToolWindows.h"

#include "core/AppState.h"
#include "core/laws/RelatedArticles.h"
#include "core/laws/RelatedLaws.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"
#include "ui/widgets/ArticleTextView.h"
#include "ui/widgets/WindowFlags.h"

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
    setWindowFlags(FixedDialogFlags);
    m_titles = new QListWidget(this);
    m_titles->setObjectName(QStringLiteral("lawTitles"));
    m_titles->setSortingEnabled(false); // ordered by law and article number as they are read
    m_view = new ArticleTextView(this);
    m_close = closeButton(tr("关  闭"), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_titles, 2);
    layout->addWidget(m_view, 5);
    layout->addLayout(buttonBar(m_close));
    // The list of titles alone said too little: the window is tall enough to read the article.
    setFixedSize(context.state.compactLayout() ? QSize(750, 420) : QSize(838, 520));
    connect(m_titles, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 || row >= m_articles.size())
            m_view->clearArticle();
        else
            m_view->showArticle(m_articles.at(row).caption(), m_articles.at(row).text);
    });
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
    const Result<QList<RelatedArticle>> articles = relatedArticles(m_context.db, m_keys);
    m_articles = articles ? *articles : QList<RelatedArticle>();
    for (const RelatedArticle &article : std::as_const(m_articles))
        m_titles->addItem(article.caption());
    if (m_titles->count() > 0)
        m_titles->setCurrentRow(0);
    if (!articles)
        m_context.prompt.ask(
            tr("错误"), articles.reason(), PromptDialog::Single, PromptDialog::Error, QStringLiteral("NO"));
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
