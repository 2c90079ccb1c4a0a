#pragma once

#include "core/laws/RelatedArticles.h"

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTextBrowser;

namespace vorlane::ui {

struct UiContext;

// The note on one question: a plain text the user writes freely.
class NoteWindow : public QDialog
{
    Q_OBJECT

public:
    NoteWindow(UiContext &context, const QString &note, QWidget *parent = nullptr);
    QString note() const;
    // True when the note holds more than blanks.
    bool hasContent() const { return !note().trimmed().isEmpty(); }
    // True when the user changed the text: only then is it written back, so that reading a
    // note never rewrites it (nor fails on a bank that cannot be written).
    bool changed() const { return note() != m_original; }

private:
    QPlainTextEdit *m_text = nullptr;
    QString m_original;
};

// The explanation of one question, read only.
class ExplanationWindow : public QDialog
{
    Q_OBJECT

public:
    ExplanationWindow(UiContext &context, const QString &html, QWidget *parent = nullptr);
    QString plainText() const;

private:
    QTextBrowser *m_view = nullptr;
};

class ArticleTextView;

// The articles (exam points) a question tests: law and title, in the laws' order and the
// articles' numbers, with the text of the one selected.
class RelatedLawsWindow : public QDialog
{
    Q_OBJECT

public:
    explicit RelatedLawsWindow(UiContext &context, QWidget *parent = nullptr);

    // True when the question tests at least one article; the window is worth showing then.
    bool loadExamPoints(const QString &questionId);
    QStringList titles() const;
    ArticleTextView *articleView() const { return m_view; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    UiContext &m_context;
    QStringList m_keys; // the hidden list of article keys, in column order
    QList<RelatedArticle> m_articles; // as listed
    QListWidget *m_titles = nullptr;
    ArticleTextView *m_view = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace vorlane::ui
