#pragma once

#include "core/laws/Articles.h"
#include "core/laws/LawCatalogue.h"
#include "core/practice/QuestionList.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QStandardItemModel;
class QTableView;
class QTextBrowser;

namespace vorlane::ui {

struct UiContext;

// The laws browser: the law catalogue with its counters, a law's articles with their text and
// own counters, the key-point filter, practice over one article's questions, and a phrase
// search across the bank. It hides while a practice window runs and shows again afterwards.
class LawsBrowserWindow : public QDialog
{
    Q_OBJECT

public:
    LawsBrowserWindow(UiContext &context, QWidget *parent = nullptr);
    ~LawsBrowserWindow() override;

    // The commands behind the buttons, also for tests.
    void find();
    void openSelectedLaw();
    void toggleKeyPoints();
    void practiseArticle();
    void back();
    void searchBank();

    bool lawOpen() const { return m_law.has_value(); }
    int currentRow() const;
    bool selectLaw(const QString &id);
    bool selectArticle(const QString &key);
    const QList<LawRow> &rows() const { return m_rows; }
    const Article *currentArticle() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();
    void applyLayout();
    void loadCatalogue();
    void showCatalogueView();
    void fillArticleList();
    void showArticle(int index);
    bool openLaw(int row);
    void practise(const QString &noticeBoard, const QuestionListQuery &list);
    void showError(const QString &reason);
    void notice(const QString &text);

    UiContext &m_context;
    QList<LawRow> m_rows;
    std::optional<OpenLaw> m_law;

    QLabel *m_title = nullptr;
    QLineEdit *m_bankSearchEdit = nullptr;
    QPushButton *m_bankSearchButton = nullptr;
    QStackedWidget *m_pages = nullptr;
    QTableView *m_grid = nullptr;
    QStandardItemModel *m_model = nullptr;
    QSplitter *m_articleView = nullptr;
    QListWidget *m_articleList = nullptr;
    QTextBrowser *m_articleText = nullptr;
    QLabel *m_note = nullptr;
    QLineEdit *m_findEdit = nullptr;
    QPushButton *m_findButton = nullptr;
    QPushButton *m_selectButton = nullptr;
    QPushButton *m_keyPointsButton = nullptr;
    QPushButton *m_practiseButton = nullptr;
    QPushButton *m_backButton = nullptr;
    QPushButton *m_exitButton = nullptr;
};

} // namespace vorlane::ui
