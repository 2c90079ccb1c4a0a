#include "ui/practice/CatalogueWindow.h"

#include "core/AppState.h"
#include "core/exam/PaperGenerator.h"
#include "ui/practice/CatalogueGeometry.h"
#include "ui/shell/AuthoringOpeners.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/ShellCommands.h"
#include "ui/shell/UiContext.h"
#include "ui/widgets/PracticeWindow.h"

#include <QApplication>
#include <QHeaderView>
#include <QLCDNumber>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include <memory>

namespace vorlane::ui {

namespace {

// Restores the cursor when the work it covers ends, however it ends.
struct HourglassCursor
{
    HourglassCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~HourglassCursor() { QApplication::restoreOverrideCursor(); }
};

QLCDNumber *totalDisplay(const QString &name, QWidget *parent)
{
    auto *display = new QLCDNumber(5, parent);
    display->setObjectName(name);
    // Filled segments on a pale panel read at a glance; thin flat ones turned "41" into "4 |".
    display->setSegmentStyle(QLCDNumber::Filled);
    display->setFrameShape(QFrame::NoFrame);
    display->setMinimumHeight(36);
    return display;
}

// Five digits are the least shown; a larger figure widens the display rather than turning to 0.
void showWhole(QLCDNumber *display, qint64 value)
{
    display->setDigitCount(std::max(5, int(QString::number(value).size())));
    display->display(QString::number(value));
}

QLabel *totalTitle(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

CatalogueWindow::CatalogueWindow(UiContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("catalogueWindow"));
    setWindowTitle(tr("科目名称"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    buildLayout();
}

CatalogueWindow::~CatalogueWindow() = default;

void CatalogueWindow::buildLayout()
{
    m_model = new QStandardItemModel(0, 6, this);
    m_model->setHorizontalHeaderLabels(
        { tr("章节名称"), tr("习题数目"), tr("已做题数"), tr("已做道次"), tr("做错道次"), tr("综合成绩") });
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("catalogueGrid"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    // The counter columns are narrow: their titles need all of it.
    connect(m_grid, &QTableView::doubleClicked, this,
        [this] { startPractice(PracticeMode::NewQuestions, true); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex &current) {
            if (current.isValid() && current.row() < m_rows.size())
                m_context.state.currentChapterName = m_rows.at(current.row()).label;
        });

    m_totals = new QWidget(this);
    m_totals->setObjectName(QStringLiteral("catalogueTotals"));
    m_totalQuestions = totalDisplay(QStringLiteral("totalQuestions"), m_totals);
    m_totalAnswers = totalDisplay(QStringLiteral("totalAnswers"), m_totals);
    m_totalWrong = totalDisplay(QStringLiteral("totalWrong"), m_totals);
    m_score = new QLabel(tr("分数"), m_totals);
    m_score->setObjectName(QStringLiteral("totalScore"));
    m_score->setAlignment(Qt::AlignCenter);
    auto *totals = new QVBoxLayout(m_totals);
    totals->setContentsMargins(0, 0, 0, 0);
    totals->setSpacing(1);
    totals->addWidget(totalTitle(tr("总习题数"), m_totals));
    totals->addWidget(m_totalQuestions, 1);
    totals->addWidget(totalTitle(tr("已做题道次"), m_totals));
    totals->addWidget(m_totalAnswers, 1);
    totals->addWidget(totalTitle(tr("做错题道次"), m_totals));
    totals->addWidget(m_totalWrong, 1);
    totals->addWidget(totalTitle(tr("综合成绩"), m_totals));
    totals->addWidget(m_score, 1);

    static const char *const names[] = { "newQuestionsArea", "wrongQuestionsArea", "reviewQuestionsArea",
        "settingsArea", "closeArea", "entryArea", "importArea" };
    for (int area = 0; area < catalogue::AreaCount; ++area) {
        auto *button = new QPushButton(this);
        button->setObjectName(QLatin1String(names[area]));
        button->setToolTip(catalogue::areaCaption(area));
        button->setCursor(Qt::PointingHandCursor);
        button->setFlat(true);
        // The face is in the background picture; the area only shows the mouse over it.
        button->setStyleSheet(
            QStringLiteral("QPushButton { background: transparent; border: none; }"
                           "QPushButton:hover { border: 2px solid rgba(255, 200, 60, 200); }"));
        button->setAutoDefault(false);
        m_areas[area] = button;
    }
    // From the keyboard: the arrows choose a chapter, Enter practises its new questions.
    m_areas[catalogue::NewQuestions]->setDefault(true);
    connect(m_areas[catalogue::NewQuestions], &QPushButton::clicked, this,
        [this] { startPractice(PracticeMode::NewQuestions); });
    connect(m_areas[catalogue::WrongQuestions], &QPushButton::clicked, this,
        [this] { startPractice(PracticeMode::WrongQuestions); });
    connect(m_areas[catalogue::ReviewQuestions], &QPushButton::clicked, this,
        [this] { startPractice(PracticeMode::ReviewQuestions); });
    connect(m_areas[catalogue::Settings], &QPushButton::clicked, this,
        [this] { openSystemSettings(m_context, this); });
    connect(m_areas[catalogue::Close], &QPushButton::clicked, this, &QDialog::reject);
    connect(m_areas[catalogue::Entry], &QPushButton::clicked, this, &CatalogueWindow::enterQuestions);
    connect(m_areas[catalogue::Import], &QPushButton::clicked, this, &CatalogueWindow::importQuestions);
}

void CatalogueWindow::enterQuestions()
{
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid() || current.row() >= m_rows.size())
        return;
    const CatalogueRow row = m_rows.at(current.row());
    m_lastChapterCode = row.code;
    // Whatever was saved is in the counters now: showing them again shows the new totals.
    if (openQuestionEntry(m_context, this, row.code, row.name) > 0)
        refresh();
}

void CatalogueWindow::importQuestions()
{
    m_lastChapterCode = currentCode();
    if (openQuestionImport(m_context, this) > 0)
        refresh();
}

void CatalogueWindow::applyLayout()
{
    const bool compact = m_context.state.compactLayout();
    const catalogue::Geometry g = catalogue::geometry(compact);
    setFixedSize(g.window);
    m_background.load(m_context.state.appDir + catalogue::backgroundPath(compact));
    QFont gridFont = m_grid->font();
    gridFont.setPointSize(compact ? 11 : 12);
    m_grid->setFont(gridFont);
    // The section rule of a style sheet decides the titles' font; in the compact layout a
    // 50-pixel column must hold a four-character title whole.
    m_grid->setStyleSheet(QStringLiteral("QHeaderView::section { padding: 2px 0px; font-size: %1; }")
                              .arg(compact ? QStringLiteral("11px") : QStringLiteral("10pt")));
    m_grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(gridFont).height() + 6);
    // A whole number of rows: a part row left under the header after scrolling reads as a fault.
    QRect grid = g.grid;
    const int rowHeight = m_grid->verticalHeader()->defaultSectionSize();
    const int chrome = m_grid->horizontalHeader()->sizeHint().height() + 2 * m_grid->frameWidth();
    if (rowHeight > 0 && grid.height() > chrome + rowHeight)
        grid.setHeight(chrome + (grid.height() - chrome) / rowHeight * rowHeight);
    m_grid->setGeometry(grid);
    m_totals->setGeometry(g.totals);
    for (int area = 0; area < catalogue::AreaCount; ++area)
        m_areas[area]->setGeometry(g.areas[area]);
    const bool narrowScreen = compact;
    m_grid->setColumnWidth(0, narrowScreen ? 308 : 370);
    for (int column = 1; column < 6; ++column)
        m_grid->setColumnWidth(column, narrowScreen ? 50 : 65);
}

void CatalogueWindow::showError(const QString &reason)
{
    m_context.prompt.ask(tr("错误"), reason, PromptDialog::Single, PromptDialog::Error, QStringLiteral("NO"));
}

void CatalogueWindow::refresh()
{
    HourglassCursor hourglass;
    applyLayout();
    const Result<QList<CatalogueRow>> rows = loadCatalogue(m_context.db);
    if (!rows) {
        showError(rows.reason());
        return;
    }
    m_rows = *rows;
    m_model->removeRows(0, m_model->rowCount());
    for (const CatalogueRow &row : m_rows) {
        QList<QStandardItem *> items { new QStandardItem(row.name),
            new QStandardItem(QString::number(row.questions)), new QStandardItem(QString::number(row.done)),
            new QStandardItem(QString::number(row.answers)), new QStandardItem(QString::number(row.wrong)),
            new QStandardItem(row.score) };
        items.last()->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_model->appendRow(items);
    }
    const Result<CatalogueTotals> totals = loadCatalogueTotals(m_context.db);
    if (totals) {
        showWhole(m_totalQuestions, totals->questions);
        showWhole(m_totalAnswers, totals->answers);
        showWhole(m_totalWrong, totals->wrong);
        if (totals->score)
            m_score->setText(*totals->score);
    } else {
        showError(totals.reason());
    }
    if (selectCode(m_lastChapterCode) || m_rows.isEmpty())
        return;
    // The subject's own row, else its first part (subjects 4 and 5 may share a row and are
    // known by their parts' codes).
    const QString subject = QString::number(m_startSubject);
    const QStringList parts = exam::poolPrefixes(m_startSubject);
    int start = -1;
    for (int row = 0; m_startSubject > 0 && row < m_rows.size() && start < 0; ++row)
        if (m_rows.at(row).code == subject)
            start = row;
    for (int row = 0; row < m_rows.size() && start < 0; ++row)
        for (const QString &part : parts)
            if (m_rows.at(row).code.startsWith(part))
                start = row;
    if (start >= 0) {
        m_grid->selectRow(start);
        m_grid->scrollTo(m_model->index(start, 0), QAbstractItemView::PositionAtTop);
        return;
    }
    m_grid->selectRow(0);
}

QString CatalogueWindow::currentCode() const
{
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid() || current.row() >= m_rows.size())
        return QString();
    return m_rows.at(current.row()).code;
}

bool CatalogueWindow::selectCode(const QString &code)
{
    if (code.isEmpty())
        return false;
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).code.compare(code, Qt::CaseInsensitive) == 0) {
            m_grid->selectRow(row);
            m_grid->scrollTo(m_model->index(row, 0));
            return true;
        }
    }
    return false;
}

void CatalogueWindow::startPractice(PracticeMode mode, bool byDoubleClick)
{
    const QString code = currentCode();
    if (code.isEmpty())
        return;
    m_lastChapterCode = code;
    if (!isPractisableCode(code)) {
        m_context.prompt.ask(tr("提示"), tr("请选择具体章节目录！"), PromptDialog::Single,
            PromptDialog::Information, QStringLiteral("NO"));
        return;
    }
    m_context.state.practiceList = QuestionListQuery::chapter(mode, code, byDoubleClick);
    {
        std::unique_ptr<PracticeWindow> practice;
        bool opened = false;
        {
            HourglassCursor hourglass;
            practice = std::make_unique<PracticeWindow>(m_context, PracticeVariant::chapter(), this);
            opened = practice->picturesLoaded() && practice->openQuestionList();
        }
        if (opened) {
            m_shownAt = pos();
            hide();
            m_context.modal.run(*practice);
        } else if (practice->picturesLoaded() && !practice->listFailed()) {
            static const char *const texts[]
                = { "恭喜，习题已做完！", "本章节下没有错题！", "本章节习题还未曾做过！" };
            const int index = int(mode) - 1;
            m_context.prompt.ask(tr("提示"), tr(texts[index]), PromptDialog::Single,
                mode == PracticeMode::NewQuestions ? PromptDialog::Information : PromptDialog::Warning,
                QStringLiteral("NO"));
        }
    }
    if (isVisible()) {
        refresh();
        return;
    }
    // Shown again where it was: a dialog re-shown without an explicit place is left to the
    // window manager, which put it in the screen's corner.
    if (!m_shownAt.isNull())
        move(m_shownAt);
    show();
}

void CatalogueWindow::showEvent(QShowEvent *event)
{
    refresh();
    // Showing ends the hourglass that covered opening the window.
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    QDialog::showEvent(event);
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CatalogueWindow::paintEvent(QPaintEvent *event)
{
    if (m_background.isNull()) {
        QDialog::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(rect(), m_background);
}

} // namespace vorlane::ui
