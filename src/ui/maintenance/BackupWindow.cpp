#include "ui/maintenance/BackupWindow.h"

#include "core/AppState.h"
#include "core/log/Logging.h"
#include "core/store/Database.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vorlane::ui {

namespace {

QPushButton *makeButton(const QString &caption, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QString dateText(const QDateTime &taken)
{
    return taken.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

} // namespace

BackupWindow::BackupWindow(UiContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_store(context.db.path(), context.clock)
{
    setObjectName(QStringLiteral("backupWindow"));
    setWindowTitle(tr("数据备份"));
    const bool compact = context.state.compactLayout();
    resize(compact ? QSize(600, 400) : QSize(680, 460));

    auto *intro = new QLabel(tr("每天第一次运行、删除试卷、升级题库和修复数据之前，程序会自动备份题库。"
                                "保留最近 7 天每天一份和之前 4 周每周一份。"),
        this);
    intro->setWordWrap(true);
    m_list = new QTableWidget(0, 4, this);
    m_list->setObjectName(QStringLiteral("backupList"));
    m_list->setHorizontalHeaderLabels({ tr("备份时间"), tr("原因"), tr("大小"), tr("已做道次") });
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setColumnWidth(0, 150);
    m_list->setColumnWidth(1, 110);
    m_list->setColumnWidth(2, 90);
    connect(m_list, &QTableWidget::itemSelectionChanged, this,
        [this] { m_restore->setEnabled(!m_list->selectedItems().isEmpty()); });

    auto *now = makeButton(tr("立即备份"), "backupNow", this);
    m_restore = makeButton(tr("恢复"), "backupRestore", this);
    auto *close = makeButton(tr("关闭"), "backupClose", this);
    connect(now, &QPushButton::clicked, this, &BackupWindow::takeNow);
    connect(m_restore, &QPushButton::clicked, this, &BackupWindow::restoreSelected);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(now);
    buttons->addWidget(m_restore);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *column = new QVBoxLayout(this);
    column->addWidget(intro);
    column->addWidget(m_list, 1);
    column->addWidget(new QLabel(tr("备份保存在：%1").arg(m_store.folder()), this));
    column->addLayout(buttons);
    refresh();
}

void BackupWindow::refresh()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_snapshots = m_store.list();
    m_list->setRowCount(int(m_snapshots.size()));
    for (int row = 0; row < m_snapshots.size(); ++row) {
        const SnapshotInfo &snapshot = m_snapshots.at(row);
        const qint64 answers = BankSnapshots::answersRecorded(snapshot.path);
        const QStringList cells = { dateText(snapshot.taken), BankSnapshots::reasonText(snapshot.reason),
            QStringLiteral("%1 MB").arg(double(snapshot.size) / (1024 * 1024), 0, 'f', 1),
            answers < 0 ? tr("无法读取") : QString::number(answers) };
        for (int column = 0; column < cells.size(); ++column)
            m_list->setItem(row, column, new QTableWidgetItem(cells.at(column)));
    }
    if (!m_snapshots.isEmpty())
        m_list->selectRow(0);
    m_restore->setEnabled(!m_snapshots.isEmpty());
    QApplication::restoreOverrideCursor();
}

void BackupWindow::takeNow()
{
    m_context.progress.showStage(tr("正在备份题库..."));
    const Result<SnapshotInfo> taken = m_store.take(m_context.db, SnapshotReason::Daily);
    m_context.progress.hide();
    if (!taken) {
        qCWarning(lcStore).noquote() << "snapshot failed:" << taken.status().logText();
        m_context.prompt.ask(tr("错误"), taken.reason(), PromptDialog::Single, PromptDialog::Error);
    }
    refresh();
}

void BackupWindow::restoreSelected()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_snapshots.size())
        return;
    const SnapshotInfo snapshot = m_snapshots.at(row);
    if (m_context.prompt.ask(tr("提示"),
            tr("即将用 %1 的备份替换现在的题库（现在的题库会先另存为一个备份），要继续么？")
                .arg(dateText(snapshot.taken)),
            PromptDialog::OkCancel, PromptDialog::Information)
        != PromptDialog::Left)
        return;
    m_context.progress.showStage(tr("正在恢复题库..."));
    const Status restored = m_store.restore(m_context.db, snapshot);
    m_context.progress.hide();
    if (restored) {
        m_context.prompt.ask(tr("提示"), tr("恢复成功！"), PromptDialog::Single, PromptDialog::Information);
    } else {
        qCWarning(lcStore).noquote() << "restore failed:" << restored.logText();
        m_context.prompt.ask(tr("错误"), restored.reason(), PromptDialog::Single, PromptDialog::Error);
    }
    refresh();
}

} // namespace vorlane::ui
