#pragma once

#include "core/exam/StoredPapers.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vorlane::ui {

struct UiContext;

// The two exam settings: the pass mark and the exam time in minutes. Closing saves them.
class ExamSettingsWindow : public QDialog
{
public:
    ExamSettingsWindow(UiContext &context, QWidget *parent = nullptr);

    // However the window is closed (关闭, Escape, the title bar), the settings are saved first.
    void done(int result) override;

private:
    void checkPassMark();
    void restoreDefaults();

    UiContext &m_context;
    exam::StoredPapers m_store;
    int m_fullScore = 0;
    bool m_saved = false;
    QLineEdit *m_passMark = nullptr;
    QLineEdit *m_minutes = nullptr;
    QCheckBox *m_defaultPassMark = nullptr;
    QCheckBox *m_defaultMinutes = nullptr;
    QPushButton *m_defaults = nullptr;
};

} // namespace vorlane::ui
