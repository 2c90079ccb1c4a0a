#pragma once

#include "core/store/BankSnapshots.h"

#include <QDialog>
#include <QList>

class QPushButton;
class QTableWidget;

namespace vorlane::ui {

struct UiContext;

// "数据备份": the bank's snapshots (date, why, size, answers recorded), a copy made now, and the
// restore of one after a confirmation (the bank as it is is kept as another snapshot first).
class BackupWindow : public QDialog
{
    Q_OBJECT

public:
    explicit BackupWindow(UiContext &context, QWidget *parent = nullptr);

    void refresh();
    const QList<SnapshotInfo> &snapshots() const { return m_snapshots; }

private:
    void takeNow();
    void restoreSelected();

    UiContext &m_context;
    BankSnapshots m_store;
    QList<SnapshotInfo> m_snapshots;
    QTableWidget *m_list = nullptr;
    QPushButton *m_restore = nullptr;
};

} // namespace vorlane::ui
