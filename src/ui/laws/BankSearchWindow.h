#pragma once

#include "core/laws/BankSearch.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vorlane::ui {

struct UiContext;

// The hits of a bank search: articles (law and title) and questions (chapter and the start of
// the text). The reader opens an article or practises the questions found; the opener does it.
class BankSearchWindow : public QDialog
{
    Q_OBJECT

public:
    enum class Choice { None, OpenArticle, PractiseQuestions };

    BankSearchWindow(
        UiContext &context, const QString &phrase, SearchResult result, QWidget *parent = nullptr);

    Choice choice() const { return m_choice; }
    const SearchHit &chosenArticle() const { return m_chosen; }

    void openCurrentArticle();
    void practiseQuestions();

private:
    void currentChanged(QTreeWidgetItem *item);

    SearchResult m_result;
    Choice m_choice = Choice::None;
    SearchHit m_chosen;
    QTreeWidget *m_hits = nullptr;
    QTreeWidgetItem *m_articleGroup = nullptr;
    QTreeWidgetItem *m_questionGroup = nullptr;
    QPushButton *m_openArticle = nullptr;
    QPushButton *m_practise = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace vorlane::ui
