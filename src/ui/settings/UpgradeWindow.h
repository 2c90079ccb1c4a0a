#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vorlane::ui {

struct UiContext;

// "题库升级": merges an upgrade file chosen on this computer into the bank, once. The merge and
// every check belong to core (BankUpgrade); the window takes the path, shows the outcome in the
// message box and says where the bank was kept before the merge.
class UpgradeWindow : public QDialog
{
    Q_OBJECT

public:
    explicit UpgradeWindow(UiContext &context, QWidget *parent = nullptr);

    static QString fileFilter();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void applyLayout();
    void browse();
    void startUpgrade();

    UiContext &m_context;
    QRadioButton *m_local = nullptr;
    QLineEdit *m_path = nullptr;
    QPushButton *m_browse = nullptr;
    QLabel *m_hint = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_start = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace vorlane::ui
