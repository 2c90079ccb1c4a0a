#pragma once

#include "core/authoring/ExamPointPicker.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace vorlane::ui {

struct UiContext;

// "欢迎": the exam-point picker (page 1) and the usage text of the authoring windows (page 2).
// Ends with Accepted only through "确定"; the caller then reads picked().
class ExamPointPickerWindow : public QDialog
{
    Q_OBJECT

public:
    enum Page { SelectionPage = 0, UsagePage = 1 };

    // held: the keys the caller's list has (pre-ticked, and counted against the limit).
    ExamPointPickerWindow(UiContext &context, Page page, const QStringList &held, QWidget *parent = nullptr);

    const QList<ExamPointLine> &picked() const { return m_picked; }
    Page page() const { return m_page; }
    QComboBox *lawBox() const { return m_laws; }
    QListWidget *articleList() const { return m_articles; }

    void confirm();

private:
    void buildSelectionPage(QWidget *page);
    void buildUsagePage(QWidget *page);
    void showArticles();

    UiContext &m_context;
    Page m_page;
    ExamPointPicker m_picker;
    QList<ExamPointLine> m_picked;
    QStackedWidget *m_pages = nullptr;
    QComboBox *m_laws = nullptr;
    QListWidget *m_articles = nullptr;
    QPlainTextEdit *m_usage = nullptr;
};

} // namespace vorlane::ui
