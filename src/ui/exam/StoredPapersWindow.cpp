#include "ui/exam/StoredPapersWindow.h"

#include "core/AppState.h"
#include "core/store/BankSnapshots.h"
#include "core/store/Database.h"
#include "ui/exam/ExamWindow.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/ShellCommands.h"
#include "ui/shell/UiContext.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLCDNumber>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vorlane::ui {

namespace {

QLCDNumber *makeFigure(const char *name, QWidget *parent)
{
    auto *figure = new QLCDNumber(3, parent);
    figure->setObjectName(QLatin1String(name));
    figure->setSegmentStyle(QLCDNumber::Flat);
    figure->setMinimumSize(73, 41);
    return figure;
}

QPushButton *makeButton(const QString &caption, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

StoredPapersWindow::StoredPapersWindow(UiContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_store(context.db, context.clock)
{
    setObjectName(QStringLiteral("storedPapersWindow"));
    setWindowTitle(tr("查阅试卷"));
    const bool compact = context.state.compactLayout();
    resize(compact ? QSize(760, 479) : QSize(940, 617));

    m_list = new QTableWidget(0, 3, this);
    m_list->setObjectName(QStringLiteral("papersList"));
    m_list->setHorizontalHeaderLabels({ tr("试卷名称"), tr("成绩"), tr("用时") });
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setColumnWidth(0, compact ? 310 : 388);
    m_list->setColumnWidth(1, compact ? 65 : 80);
    m_list->setColumnWidth(2, compact ? 65 : 80);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this] { openSelected(); });

    m_sat = makeFigure("papersSat", this);
    m_passed = makeFigure("papersPassed", this);
    m_average = makeFigure("papersAverage", this);
    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("papersNotice"));
    m_notice->setStyleSheet(QStringLiteral("color: #c00000"));

    m_open = makeButton(tr("查阅"), "papersOpen", this);
    m_delete = makeButton(tr("删除"), "papersDelete", this);
    auto *settings = makeButton(tr("设置"), "papersSettings", this);
    auto *close = makeButton(tr("关闭"), "papersClose", this);
    connect(m_open, &QPushButton::clicked, this, [this] { openSelected(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(settings, &QPushButton::clicked, this, [this] { openSystemSettings(m_context, this); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *figures = new QVBoxLayout;
    const std::pair<QString, QLCDNumber *> rows[]
        = { { tr("考试次数"), m_sat }, { tr("及格次数"), m_passed }, { tr("平均成绩"), m_average } };
    for (const auto &[caption, figure] : rows) {
        figures->addWidget(new QLabel(caption, this), 0, Qt::AlignHCenter);
        figures->addWidget(figure, 0, Qt::AlignHCenter);
        figures->addSpacing(16);
    }
    figures->addStretch();
    figures->addWidget(settings);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_open);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(close);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_list, 0, 0);
    grid->addLayout(figures, 0, 1);
    grid->addLayout(buttons, 1, 0);
    grid->addWidget(m_notice, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    refresh();
}

void StoredPapersWindow::refresh()
{
    m_sat->display(0);
    m_passed->display(0);
    m_average->display(0);
    const Result<exam::ExamSettings> settings = m_store.settings();
    m_notice->setText(exam::StoredPapers::passMarkNotice(settings ? settings->leastMark : 0));

    const Result<QList<exam::StoredPaper>> papers = m_store.list();
    m_papers = papers ? *papers : QList<exam::StoredPaper>();
    m_list->setRowCount(int(m_papers.size()));
    for (int row = 0; row < m_papers.size(); ++row) {
        const exam::StoredPaper &paper = m_papers.at(row);
        m_list->setItem(row, 0, new QTableWidgetItem(paper.title));
        m_list->setItem(
            row, 1, new QTableWidgetItem(paper.score ? QString::number(*paper.score, 'g', 12) : QString()));
        m_list->setItem(row, 2, new QTableWidgetItem(paper.timeUsed));
    }
    if (!m_papers.isEmpty())
        m_list->selectRow(0);
    m_open->setEnabled(!m_papers.isEmpty());
    m_delete->setEnabled(!m_papers.isEmpty());

    const Result<exam::PaperFigures> figures = m_store.figures(m_context.state.examSubject);
    if (figures) {
        m_sat->display(figures->sat);
        m_passed->display(figures->passed);
        m_average->display(figures->average);
    }
}

const exam::StoredPaper *StoredPapersWindow::selected() const
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_papers.size() || m_list->selectedItems().isEmpty())
        return nullptr;
    return &m_papers.at(row);
}

void StoredPapersWindow::openSelected()
{
    const exam::StoredPaper *paper = selected();
    if (!paper)
        return;
    m_context.progress.showStage(tr("正在初始化数据..."));
    const exam::PaperIdentity identity { paper->table, paper->title, exam::PaperMode::Old,
        paper->score.value_or(0), paper->timeUsed };
    m_context.progress.showStage(tr("正在提取数据..."));
    ExamWindow window(m_context, this);
    if (window.openPaper(identity)) {
        m_context.progress.hide();
        m_context.modal.run(window);
    }
    m_context.progress.hide();
    refresh();
}

void StoredPapersWindow::deleteSelected()
{
    const exam::StoredPaper *paper = selected();
    if (!paper)
        return;
    if (m_context.prompt.ask(
            tr("提示"), tr("即将删除试卷，要继续么？"), PromptDialog::OkCancel, PromptDialog::Information)
        != PromptDialog::Left)
        return;
    // The bank as it was, so that a paper deleted by mistake can be brought back.
    m_context.progress.showStage(tr("正在备份题库..."));
    const Result<SnapshotInfo> kept = BankSnapshots(m_context.db.path(), m_context.clock)
                                          .take(m_context.db, SnapshotReason::BeforeDelete);
    m_context.progress.hide();
    if (!kept
        && m_context.prompt.ask(tr("提示"), tr("删除前无法备份题库：%1\n仍要删除试卷么？").arg(kept.reason()),
               PromptDialog::OkCancel, PromptDialog::Warning)
            != PromptDialog::Left)
        return;
    if (const Status removed = m_store.removePaper(paper->table); !removed)
        m_context.prompt.ask(tr("错误"), tr("发生错误！"), PromptDialog::Single, PromptDialog::Error);
    refresh();
}

} // namespace vorlane::ui
