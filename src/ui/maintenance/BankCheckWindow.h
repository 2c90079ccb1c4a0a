#pragma once

#include "core/store/BankCheck.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vorlane::ui {

struct UiContext;

// "检查数据": checks the bank and repairs what the rows can rebuild, with the progress window
// while it runs, then shows what it found and fixed.
class BankCheckWindow : public QDialog
{
    Q_OBJECT

public:
    explicit BankCheckWindow(UiContext &context, QWidget *parent = nullptr);

    // Runs the check (snapshot first when something is repaired) and shows the report.
    void runCheck();
    const BankCheckReport &report() const { return m_report; }

private:
    UiContext &m_context;
    BankCheckReport m_report;
    QLabel *m_summary = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QPushButton *m_again = nullptr;
};

} // namespace vorlane::ui
