#include "ui/settings/UpgradeWindow.h"

#include "core/AppState.h"
#include "core/settings/BankUpgrade.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStyle>
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

} // namespace

UpgradeWindow::UpgradeWindow(UiContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("upgradeWindow"));
    setWindowTitle(tr("题库升级"));

    auto *source = new QGroupBox(tr("选择升级方式"), this);
    source->setObjectName(QStringLiteral("upgradeSource"));
    m_local = new QRadioButton(tr("本地升级"), source);
    m_local->setObjectName(QStringLiteral("upgradeLocal"));
    m_path = new QLineEdit(source);
    m_path->setObjectName(QStringLiteral("upgradePath"));
    m_path->setPlaceholderText(tr("升级文件的完整路径"));
    m_browse = makeButton(QString(), "upgradeBrowse", source);
    m_browse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    m_browse->setToolTip(tr("选择升级文件"));
    auto *sourceLayout = new QGridLayout(source);
    sourceLayout->addWidget(m_local, 0, 0, 1, 2);
    sourceLayout->addWidget(m_path, 1, 0);
    sourceLayout->addWidget(m_browse, 1, 1);

    m_hint = new QLabel(tr("建议先下载升级题库，然后选择本地升级！"), this);
    m_hint->setObjectName(QStringLiteral("upgradeHint"));
    m_hint->setWordWrap(true);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("upgradeStatus"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_start = makeButton(tr("开始升级"), "upgradeStart", this);
    m_close = makeButton(tr("关闭"), "upgradeClose", this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_start);
    buttons->addWidget(m_close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(source);
    layout->addWidget(m_hint);
    layout->addWidget(m_status, 1);
    layout->addLayout(buttons);

    // Only local upgrades exist: the path and the folder button belong to that choice.
    connect(m_local, &QRadioButton::toggled, this, [this](bool on) {
        m_path->setVisible(on);
        m_browse->setVisible(on);
    });
    connect(m_browse, &QPushButton::clicked, this, [this] { browse(); });
    connect(m_start, &QPushButton::clicked, this, [this] { startUpgrade(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    applyLayout();
}

QString UpgradeWindow::fileFilter()
{
    return tr("升级文件 (SQLite 数据库 *.db *.sqlite *.sqlite3)") + QStringLiteral(";;") + tr("所有文件 (*)");
}

void UpgradeWindow::applyLayout()
{
    if (m_context.state.compactLayout())
        setFixedSize(420, 250);
    else
        setFixedSize(500, 280);
}

void UpgradeWindow::showEvent(QShowEvent *event)
{
    m_local->setChecked(true);
    QDialog::showEvent(event);
}

void UpgradeWindow::browse()
{
    const QString typed = m_path->text().trimmed();
    const QString start = typed.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DownloadLocation)
                                          : QFileInfo(QDir::fromNativeSeparators(typed)).absolutePath();
    QFileDialog dialog(this, tr("选择升级文件"), start, fileFilter());
    dialog.setObjectName(QStringLiteral("upgradeFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (m_context.modal.run(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        m_path->setText(QDir::toNativeSeparators(dialog.selectedFiles().first()));
}

void UpgradeWindow::startUpgrade()
{
    m_status->clear();
    const bool working = !m_path->text().trimmed().isEmpty(); // else only a word is to be said
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (working)
        m_context.progress.showStage(tr("正在升级题库，请等待..."));
    const settings::UpgradeReport report = settings::BankUpgrade(m_context.db, m_context.clock)
                                               .apply(QDir::fromNativeSeparators(m_path->text()));
    m_context.progress.hide();
    QApplication::restoreOverrideCursor();

    QStringList status;
    if (report.outcome == settings::UpgradeOutcome::Succeeded)
        status << tr("新增试题 %1 道。").arg(report.questionsAdded);
    if (!report.snapshotPath.isEmpty())
        status << tr("升级前的题库已备份到：%1").arg(QDir::toNativeSeparators(report.snapshotPath));
    if (!report.detail.isEmpty())
        status << tr("原因：%1").arg(report.detail);
    m_status->setText(status.join(QLatin1Char('\n')));
    m_context.prompt.ask(
        report.caption, report.message, PromptDialog::Single, report.iconPage, QStringLiteral("NO"));
}

} // namespace vorlane::ui
