#pragma once

#include <QWidget>

class QLabel;
class QTextBrowser;

namespace vorlane::ui {

// One law article read in full: its caption (law and title) over its rich text. Any window that
// shows an article's text uses it: the related-laws window, the laws browser.
class ArticleTextView : public QWidget
{
    Q_OBJECT

public:
    explicit ArticleTextView(QWidget *parent = nullptr);

    void showArticle(const QString &caption, const QString &richText);
    void clearArticle();

    QString caption() const;
    QString plainText() const;

private:
    QLabel *m_caption = nullptr;
    QTextBrowser *m_text = nullptr;
};

} // namespace vorlane::ui
