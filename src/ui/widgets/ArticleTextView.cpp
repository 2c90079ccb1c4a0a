#include "ui/widgets/ArticleTextView.h"

#include <QLabel>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace vorlane::ui {

ArticleTextView::ArticleTextView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("articleTextView"));
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("articleCaption"));
    m_caption->setStyleSheet(QStringLiteral("color: #1e3f61; font-weight: bold;"));
    m_caption->setWordWrap(true);
    m_text = new QTextBrowser(this);
    m_text->setObjectName(QStringLiteral("articleText"));
    m_text->setOpenLinks(false);
    // Read, never typed into: the keys stay with the window (Tab still reaches it to scroll).
    m_text->setFocusPolicy(Qt::TabFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_caption);
    layout->addWidget(m_text, 1);
}

void ArticleTextView::showArticle(const QString &caption, const QString &richText)
{
    m_caption->setText(caption);
    if (richText.trimmed().isEmpty())
        m_text->setPlainText(tr("（本条没有正文）"));
    else
        m_text->setHtml(richText);
}

void ArticleTextView::clearArticle()
{
    m_caption->clear();
    m_text->clear();
}

QString ArticleTextView::caption() const
{
    return m_caption->text();
}

QString ArticleTextView::plainText() const
{
    return m_text->toPlainText();
}

} // namespace vorlane::ui
