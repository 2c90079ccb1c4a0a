#pragma once

#include "core/exam/StoredPapers.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLCDNumber;
class QPushButton;
class QTableWidget;

namespace vorlane::ui {

struct UiContext;

// The stored papers ("查阅试卷"): the list with its three figures; a paper is reopened for
// review in the exam window or deleted.
class StoredPapersWindow : public QDialog
{
public:
    StoredPapersWindow(UiContext &context, QWidget *parent = nullptr);

    // Reads the list and the figures again.
    void refresh();
    const QList<exam::StoredPaper> &papers() const { return m_papers; }

private:
    void openSelected();
    void deleteSelected();
    const exam::StoredPaper *selected() const;

    UiContext &m_context;
    exam::StoredPapers m_store;
    QList<exam::StoredPaper> m_papers;
    QTableWidget *m_list = nullptr;
    QLCDNumber *m_sat = nullptr;
    QLCDNumber *m_passed = nullptr;
    QLCDNumber *m_average = nullptr;
    QLabel *m_notice = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_delete = nullptr;
};

} // namespace vorlane::ui
