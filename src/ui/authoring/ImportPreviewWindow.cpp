#include "ui/authoring/ImportPreviewWindow.h"

#include "core/AppState.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vorlane::ui {

namespace {

enum PreviewColumn {
    LineColumn,
    ChapterColumn,
    TypeColumn,
    BodyColumn,
    KeyColumn,
    ReasonColumn,
    PreviewColumns
};

QString oneLine(const QString &text)
{
    QString line = text.simplified();
    return line.size() > 60 ? line.left(60) + QStringLiteral("…") : line;
}

} // namespace

ImportPreviewWindow::ImportPreviewWindow(UiContext &context, QuestionImport &import, ImportPreview preview,
    const QString &fileName, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_import(import)
    , m_preview(std::move(preview))
{
    setObjectName(QStringLiteral("importPreviewWindow"));
    setWindowTitle(tr("导入试题"));
    const bool compact = context.state.compactLayout();
    setFixedSize(compact ? 780 : 980, compact ? 540 : 680);

    auto *file = new QLabel(tr("文件：%1").arg(QFileInfo(fileName).fileName()), this);
    file->setObjectName(QStringLiteral("importFileName"));
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("importSummary"));
    m_summary->setText(tr("共%1行：可以导入%2道，有错误%3行（红色，不导入）。")
                           .arg(m_preview.rows.size())
                           .arg(m_preview.goodCount())
                           .arg(m_preview.badCount()));
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("importTable"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    fillTable();

    m_importButton = new QPushButton(tr("导入"), this);
    m_importButton->setObjectName(QStringLiteral("importButton"));
    m_importButton->setEnabled(m_preview.goodCount() > 0);
    m_cancel = new QPushButton(tr("取消"), this);
    m_cancel->setObjectName(QStringLiteral("cancelButton"));
    for (QPushButton *b : { m_importButton, m_cancel })
        b->setAutoDefault(false);
    connect(m_importButton, &QPushButton::clicked, this, &ImportPreviewWindow::importGoodRows);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(file);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_importButton);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
}

void ImportPreviewWindow::fillTable()
{
    m_table->setColumnCount(PreviewColumns);
    m_table->setHorizontalHeaderLabels(
        { tr("行号"), tr("章节代码"), tr("题型"), tr("试题内容"), tr("答案"), tr("检查结果") });
    m_table->setRowCount(int(m_preview.rows.size()));
    const QColor bad(0xb8452f);
    for (int row = 0; row < m_preview.rows.size(); ++row) {
        const ImportRow &source = m_preview.rows.at(row);
        const QStringList cells = source.cells;
        const QStringList texts { QString::number(source.line), cells.value(0).trimmed(),
            cells.value(1).trimmed(), oneLine(cells.value(2)), cells.value(4).trimmed(),
            source.ok() ? tr("可以导入") : source.reason };
        for (int column = 0; column < PreviewColumns; ++column) {
            auto *item = new QTableWidgetItem(texts.at(column));
            if (!source.ok())
                item->setForeground(bad);
            if (column == BodyColumn)
                item->setToolTip(cells.value(2));
            m_table->setItem(row, column, item);
        }
    }
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(BodyColumn, QHeaderView::Stretch);
}

bool ImportPreviewWindow::importGoodRows()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto imported = m_import.importRows(m_preview);
    QApplication::restoreOverrideCursor();
    if (!imported) {
        m_context.prompt.ask(tr("提示"), imported.reason(), PromptDialog::Single, PromptDialog::Warning);
        return false;
    }
    m_imported = *imported;
    m_context.prompt.ask(
        tr("提示"), tr("已导入%1道试题。").arg(m_imported), PromptDialog::Single, PromptDialog::Information);
    accept();
    return true;
}

} // namespace vorlane::ui
