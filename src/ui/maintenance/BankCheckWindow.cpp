#include "ui/maintenance/BankCheckWindow.h"

#include "core/log/Logging.h"
#include "core/store/BankSnapshots.h"
#include "core/store/Database.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorlane::ui {

BankCheckWindow::BankCheckWindow(UiContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("bankCheckWindow"));
    setWindowTitle(tr("检查数据"));
    resize(560, 360);

    auto *intro = new QLabel(tr("检查题库文件的每一页，并用做题记录核对章节、考点和法规的统计数字、"
                                "试卷列表和学习日志。发现不符的统计会先备份题库，再一次修复。"),
        this);
    intro->setWordWrap(true);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("checkSummary"));
    m_summary->setStyleSheet(QStringLiteral("font-weight: bold;"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("checkReport"));
    m_text->setReadOnly(true);

    m_again = new QPushButton(tr("再检查一次"), this);
    m_again->setObjectName(QStringLiteral("checkAgain"));
    m_again->setAutoDefault(false);
    auto *close = new QPushButton(tr("关闭"), this);
    close->setObjectName(QStringLiteral("checkClose"));
    close->setDefault(true);
    connect(m_again, &QPushButton::clicked, this, &BankCheckWindow::runCheck);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_again);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *column = new QVBoxLayout(this);
    column->addWidget(intro);
    column->addWidget(m_summary);
    column->addWidget(m_text, 1);
    column->addLayout(buttons);
}

void BankCheckWindow::runCheck()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    BankSnapshots snapshots(m_context.db.path(), m_context.clock);
    m_report = checkBank(m_context.db, &snapshots, {}, [this](int percent, const QString &step) {
        m_context.progress.showStage(QStringLiteral("%1  %2%").arg(step).arg(percent));
    });
    m_context.progress.hide();
    QApplication::restoreOverrideCursor();
    if (!m_report.damage.isEmpty() || !m_report.detail.isEmpty())
        qCWarning(lcStore).noquote() << "bank check:" << m_report.damage << m_report.detail;

    switch (m_report.outcome) {
    case BankCheckReport::Outcome::Clean:
        m_summary->setText(tr("题库完好。"));
        break;
    case BankCheckReport::Outcome::Repaired:
        m_summary->setText(tr("已修复。"));
        break;
    case BankCheckReport::Outcome::Found:
        m_summary->setText(tr("发现问题，没有修复。"));
        break;
    case BankCheckReport::Outcome::Damaged:
        m_summary->setText(tr("题库文件已损坏。"));
        break;
    }
    m_text->setPlainText(m_report.text());
}

} // namespace vorlane::ui
