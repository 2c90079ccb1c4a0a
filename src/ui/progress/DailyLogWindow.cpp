#include "ui/progress/DailyLogWindow.h"

#include "core/AppState.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/ShellCommands.h"
#include "ui/shell/UiContext.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace vorlane::ui {

// ---- DailyLogModel --------------------------------------------------------------------------

DailyLogModel::DailyLogModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void DailyLogModel::setRows(QList<DailyLogRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int DailyLogModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int DailyLogModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DailyLogModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    if (role == Qt::TextAlignmentRole) {
        const bool right = index.column() == Time || index.column() == Score;
        return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole)
        return {};
    const DailyLogRow &row = m_rows.at(index.row());
    switch (index.column()) {
    case Day:
        return row.day;
    case Questions:
        return row.questions;
    case WrongQuestions:
        return row.wrongQuestions;
    case Answers:
        return row.answers;
    case WrongAnswers:
        return row.wrongAnswers;
    case Time:
        return row.time;
    case Score:
        return row.score;
    default:
        return {};
    }
}

QVariant DailyLogModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[ColumnCount]
        = { "日期", "做过题数", "做错题数", "做过道次", "做错道次", "总用时", "平均成绩" };
    return section >= 0 && section < ColumnCount ? tr(titles[section]) : QVariant();
}

// ---- DailyLogWindow -------------------------------------------------------------------------

namespace {

QLabel *makeFigure(const char *name, QWidget *parent)
{
    auto *figure = new QLabel(QStringLiteral("99999"), parent);
    figure->setObjectName(QLatin1String(name));
    figure->setAlignment(Qt::AlignCenter);
    QFont font = figure->font();
    font.setPointSize(18);
    font.setBold(true);
    figure->setFont(font);
    figure->setStyleSheet(QStringLiteral("color: #1f3a73"));
    return figure;
}

} // namespace

DailyLogWindow::DailyLogWindow(UiContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("dailyLogWindow"));
    setWindowTitle(tr("日志"));
    const bool compact = context.state.compactLayout();
    resize(compact ? QSize(760, 479) : QSize(934, 611));

    m_model = new DailyLogModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("dailyLogGrid"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setColumnWidth(DailyLogModel::Day, compact ? 168 : 227);
    for (int column = 1; column < DailyLogModel::ColumnCount; ++column)
        m_grid->setColumnWidth(column, compact ? 70 : 80);

    m_answers = makeFigure("logTotalAnswers", this);
    m_wrongAnswers = makeFigure("logTotalWrong", this);
    m_score = makeFigure("logTotalScore", this);
    auto *settings = new QPushButton(tr("设置"), this);
    settings->setObjectName(QStringLiteral("logSettings"));
    settings->setAutoDefault(false);
    auto *close = new QPushButton(tr("关闭"), this);
    close->setObjectName(QStringLiteral("logClose"));
    close->setAutoDefault(false);
    connect(settings, &QPushButton::clicked, this, [this] { openSystemSettings(m_context, this); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *figures = new QVBoxLayout;
    const std::pair<QString, QLabel *> rows[] = { { tr("已做习题\n（道次）"), m_answers },
        { tr("做错习题\n（道次）"), m_wrongAnswers }, { tr("综合成绩"), m_score } };
    for (const auto &[caption, figure] : rows) {
        auto *label = new QLabel(caption, this);
        label->setAlignment(Qt::AlignCenter);
        figures->addWidget(label);
        figures->addWidget(figure);
        figures->addSpacing(compact ? 10 : 24);
    }
    figures->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(settings);
    buttons->addWidget(close);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_grid, 0, 0);
    grid->addLayout(figures, 0, 1);
    grid->addLayout(buttons, 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnMinimumWidth(1, compact ? 96 : 110);

    Result<QList<DailyLogRow>> logRows = readDailyLog(context.db);
    const Result<DailyLogTotals> totals = readDailyLogTotals(context.db);
    m_model->setRows(logRows ? std::move(logRows.value()) : QList<DailyLogRow>());
    const DailyLogTotals shown = totals ? *totals : DailyLogTotals();
    m_answers->setText(QString::number(shown.answers));
    m_wrongAnswers->setText(QString::number(shown.wrongAnswers));
    m_score->setText(shown.score);
    if (!logRows || !totals)
        m_context.prompt.ask(tr("错误"), logRows ? totals.reason() : logRows.reason(), PromptDialog::Single,
            PromptDialog::Error);
}

} // namespace vorlane::ui
