#include "ui/laws/LawsBrowserWindow.h"

#include "core/AppState.h"
#include "core/laws/BankSearch.h"
#include "ui/laws/BankSearchWindow.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"
#include "ui/widgets/PracticeWindow.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <memory>

namespace vorlane::ui {

namespace {

struct HourglassCursor
{
    HourglassCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~HourglassCursor() { QApplication::restoreOverrideCursor(); }
};

const QString NoModeWord = QStringLiteral("NO");

// The two geometries: window size, rows, and where the button row stands.
struct BrowserGeometry
{
    QSize window;
    int buttonRowY;
    int nameColumn;
    QString nameHeader;
};

BrowserGeometry browserGeometry(bool compact)
{
    if (compact)
        return { QSize(760, 504), 425, 410, QString(19, QLatin1Char(' ')) + QStringLiteral("考 点 名 称") };
    return { QSize(900, 599), 520, 554, QString(29, QLatin1Char(' ')) + QStringLiteral("考 点 名 称") };
}

QPushButton *rowButton(const QString &caption, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

LawsBrowserWindow::LawsBrowserWindow(UiContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("lawsBrowser"));
    setWindowTitle(tr("法规考点"));
    buildLayout();
    applyLayout();
    loadCatalogue();
    showCatalogueView();
    m_title->setText(tr("考点目录"));
}

LawsBrowserWindow::~LawsBrowserWindow() = default;

void LawsBrowserWindow::buildLayout()
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setStyleSheet(
        QStringLiteral("QPushButton { color: black; padding: 0px; } QPushButton:hover { color: blue; }"
                       "QPushButton:disabled { color: gray; }"
                       "QLabel#lawsTitle { font-size: 18px; font-weight: bold; color: #1e3f61; }"));

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("lawsTitle"));
    m_title->setAlignment(Qt::AlignCenter);
    m_bankSearchEdit = new QLineEdit(this);
    m_bankSearchEdit->setObjectName(QStringLiteral("bankSearchEdit"));
    m_bankSearchEdit->setPlaceholderText(tr("在条文和题目中查找"));
    m_bankSearchButton = rowButton(tr("全文检索(&T)"), "bankSearchButton", this);
    connect(m_bankSearchButton, &QPushButton::clicked, this, &LawsBrowserWindow::searchBank);
    connect(m_bankSearchEdit, &QLineEdit::returnPressed, this, &LawsBrowserWindow::searchBank);

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("lawsPages"));

    m_model = new QStandardItemModel(0, 5, this);
    m_grid = new QTableView(m_pages);
    m_grid->setObjectName(QStringLiteral("lawsGrid"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(30);
    m_grid->setWordWrap(false);
    connect(m_grid, &QTableView::doubleClicked, this, &LawsBrowserWindow::openSelectedLaw);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex &current) {
            // The hint repeats a name the column may cut.
            if (current.isValid() && current.row() < m_rows.size())
                m_grid->setToolTip(m_rows.at(current.row()).name);
        });
    m_pages->addWidget(m_grid);

    m_articleView = new QSplitter(Qt::Horizontal, m_pages);
    m_articleView->setObjectName(QStringLiteral("articleView"));
    m_articleList = new QListWidget(m_articleView);
    m_articleList->setObjectName(QStringLiteral("articleList"));
    auto *right = new QWidget(m_articleView);
    m_articleText = new QTextBrowser(right);
    m_articleText->setObjectName(QStringLiteral("articleText"));
    m_articleText->setOpenLinks(false);
    m_note = new QLabel(right);
    m_note->setObjectName(QStringLiteral("articleNote"));
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(4);
    rightLayout->addWidget(m_articleText, 1);
    rightLayout->addWidget(m_note);
    m_articleView->addWidget(m_articleList);
    m_articleView->addWidget(right);
    m_articleView->setStretchFactor(1, 1);
    m_articleView->setChildrenCollapsible(false);
    connect(m_articleList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 && m_articleList->count() > 0) {
            m_articleList->setCurrentRow(0);
            return;
        }
        showArticle(row);
    });
    m_pages->addWidget(m_articleView);

    m_findEdit = new QLineEdit(this);
    m_findEdit->setObjectName(QStringLiteral("findEdit"));
    connect(m_findEdit, &QLineEdit::returnPressed, this, &LawsBrowserWindow::find);
    m_findButton = rowButton(tr("检索(&F)"), "findButton", this);
    m_selectButton = rowButton(tr("选定(&S)"), "selectButton", this);
    m_keyPointsButton = rowButton(tr("重点(&M)"), "keyPointsButton", this);
    m_practiseButton = rowButton(tr("练习(&P)"), "practiseButton", this);
    m_backButton = rowButton(tr("返回(&B)"), "backButton", this);
    m_exitButton = rowButton(tr("退出(&E)"), "exitButton", this);
    connect(m_findButton, &QPushButton::clicked, this, &LawsBrowserWindow::find);
    connect(m_selectButton, &QPushButton::clicked, this, &LawsBrowserWindow::openSelectedLaw);
    connect(m_keyPointsButton, &QPushButton::clicked, this, &LawsBrowserWindow::toggleKeyPoints);
    connect(m_practiseButton, &QPushButton::clicked, this, &LawsBrowserWindow::practiseArticle);
    connect(m_backButton, &QPushButton::clicked, this, &LawsBrowserWindow::back);
    connect(m_exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

void LawsBrowserWindow::applyLayout()
{
    const BrowserGeometry g = browserGeometry(m_context.state.compactLayout());
    setFixedSize(g.window);
    const int width = g.window.width();
    const int searchWidth = m_context.state.compactLayout() ? 150 : 200;
    m_title->setGeometry(8, 6, width - 16, 34);
    m_bankSearchButton->setGeometry(width - 8 - 90, 12, 90, 22);
    m_bankSearchEdit->setGeometry(width - 8 - 90 - 4 - searchWidth, 12, searchWidth, 22);
    // The five columns and a vertical scroll bar just fit the window's width.
    m_pages->setGeometry(4, 44, width - 8, g.buttonRowY - 8 - 44);
    m_findEdit->setGeometry(8, g.buttonRowY, 180, 22);
    const std::pair<QPushButton *, int> placed[] = { { m_findButton, 218 }, { m_selectButton, 316 },
        { m_keyPointsButton, 400 }, { m_practiseButton, 484 }, { m_backButton, 568 }, { m_exitButton, 652 } };
    for (const auto &[button, x] : placed)
        button->setGeometry(x, g.buttonRowY, 75, 22);

    m_model->setHorizontalHeaderLabels(
        { g.nameHeader, tr("  题  数"), tr(" 已做题数"), tr(" 已做道次"), tr(" 做错道次") });
    m_grid->setColumnWidth(0, g.nameColumn);
    for (int column = 1; column < 5; ++column)
        m_grid->setColumnWidth(column, 80);
    m_grid->horizontalHeader()->setFixedHeight(30);
    m_articleView->setSizes({ m_context.state.compactLayout() ? 200 : 240, width });
}

void LawsBrowserWindow::showEvent(QShowEvent *event)
{
    applyLayout();
    // Showing ends the hourglass that covered opening the window.
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    QDialog::showEvent(event);
}

void LawsBrowserWindow::showError(const QString &reason)
{
    m_context.prompt.ask(tr("错误"), reason, PromptDialog::Single, PromptDialog::Error, NoModeWord);
}

void LawsBrowserWindow::notice(const QString &text)
{
    m_context.prompt.ask(tr("提示"), text, PromptDialog::Single, PromptDialog::Information, NoModeWord);
}

void LawsBrowserWindow::loadCatalogue()
{
    const Result<QList<LawRow>> rows = loadLawCatalogue(m_context.db);
    if (!rows) {
        showError(rows.reason());
        return;
    }
    m_rows = *rows;
    m_model->removeRows(0, m_model->rowCount());
    for (const LawRow &row : std::as_const(m_rows)) {
        QList<QStandardItem *> items { new QStandardItem(row.name) };
        for (const qint64 value :
            { row.counters.questions, row.counters.done, row.counters.answers, row.counters.wrong }) {
            auto *item = new QStandardItem(counterCell(value));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            items << item;
        }
        m_model->appendRow(items);
    }
}

void LawsBrowserWindow::showCatalogueView()
{
    m_findEdit->show();
    m_findButton->show();
    m_selectButton->show();
    m_keyPointsButton->setEnabled(false);
    m_practiseButton->setEnabled(false);
    m_backButton->hide();
    m_pages->setCurrentWidget(m_grid);
}

int LawsBrowserWindow::currentRow() const
{
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() && current.row() < m_rows.size() ? current.row() : -1;
}

bool LawsBrowserWindow::selectLaw(const QString &id)
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).id.trimmed().compare(id.trimmed(), Qt::CaseInsensitive) == 0) {
            m_grid->selectRow(row);
            m_grid->scrollTo(m_model->index(row, 0));
            return true;
        }
    }
    return false;
}

void LawsBrowserWindow::find()
{
    if (m_rows.isEmpty() || m_findEdit->text().isEmpty())
        return;
    const int row = findLawRow(m_rows, m_findEdit->text());
    if (row < 0)
        return;
    m_grid->selectRow(row);
    m_grid->scrollTo(m_model->index(row, 0));
}

void LawsBrowserWindow::openSelectedLaw()
{
    const int row = currentRow();
    if (row < 0 || lawOpen())
        return;
    if (m_rows.at(row).isHeading()) {
        m_context.prompt.ask(
            tr("提示"), tr("请选择具体章节!"), PromptDialog::NarrowOk, PromptDialog::Warning, QString());
        return;
    }
    openLaw(row);
}

bool LawsBrowserWindow::openLaw(int row)
{
    Result<OpenLaw> law = [&] {
        HourglassCursor hourglass;
        return OpenLaw::open(m_context.db, m_rows.at(row));
    }();
    if (!law) {
        showError(law.reason());
        return false;
    }
    m_law = std::move(law.value());
    m_findEdit->hide();
    m_findButton->hide();
    m_selectButton->hide();
    m_keyPointsButton->setEnabled(true);
    m_practiseButton->setEnabled(true);
    m_backButton->show();
    m_title->setText(m_rows.at(row).name.trimmed());
    m_pages->setCurrentWidget(m_articleView);
    fillArticleList();
    if (m_law->isEmpty()) {
        notice(tr("找不到考点!"));
        return false;
    }
    return true;
}

void LawsBrowserWindow::fillArticleList()
{
    const QSignalBlocker blocker(m_articleList);
    m_articleList->clear();
    for (const Article &article : m_law->shown())
        m_articleList->addItem(article.listText());
    if (m_articleList->count() > 0)
        m_articleList->setCurrentRow(0);
    showArticle(m_articleList->currentRow());
}

const Article *LawsBrowserWindow::currentArticle() const
{
    const int row = m_articleList->currentRow();
    if (!m_law || row < 0 || row >= m_law->shown().size())
        return nullptr;
    return &m_law->shown().at(row);
}

bool LawsBrowserWindow::selectArticle(const QString &key)
{
    if (!m_law)
        return false;
    for (int row = 0; row < m_law->shown().size(); ++row) {
        if (m_law->shown().at(row).key.compare(key, Qt::CaseInsensitive) == 0) {
            m_articleList->setCurrentRow(row);
            return true;
        }
    }
    return false;
}

void LawsBrowserWindow::showArticle(int index)
{
    if (!m_law || index < 0 || index >= m_law->shown().size()) {
        m_articleText->clear();
        m_note->clear();
        m_practiseButton->setEnabled(false);
        return;
    }
    const Article &article = m_law->shown().at(index);
    m_articleText->setHtml(article.text);
    m_note->setText(article.note());
    m_practiseButton->setEnabled(article.hasQuestions());
}

void LawsBrowserWindow::toggleKeyPoints()
{
    if (!m_law)
        return;
    const bool toggled = m_law->toggleKeyPoints();
    fillArticleList();
    if (!toggled) {
        notice(tr("此考点暂无重点内容！"));
        return;
    }
    m_keyPointsButton->setText(m_law->keyPointsShown() ? tr("全部(&A)") : tr("重点(&M)"));
}

void LawsBrowserWindow::practiseArticle()
{
    const Article *article = currentArticle();
    if (!article || !article->hasQuestions())
        return;
    // The article is known by its key: two articles of one law may share a title.
    const Article chosen = *article;
    practise(chosen.title, QuestionListQuery::article(chosen.key));
    showArticle(m_articleList->currentRow());
}

void LawsBrowserWindow::practise(const QString &noticeBoard, const QuestionListQuery &list)
{
    m_context.state.practiceList = list;
    {
        std::unique_ptr<PracticeWindow> practice;
        bool opened = false;
        {
            HourglassCursor hourglass;
            practice = std::make_unique<PracticeWindow>(m_context, PracticeVariant::article(), this);
            practice->setWindowTitle(tr("考点练习"));
            opened = practice->picturesLoaded() && practice->openQuestionList();
        }
        if (opened) {
            hide();
            practice->setNoticeBoard(noticeBoard);
            m_context.modal.run(*practice);
        } else if (practice->picturesLoaded() && !practice->listFailed()) {
            notice(tr("恭喜你，习题已做完！"));
        }
    }
    if (!isVisible())
        show();
}

void LawsBrowserWindow::back()
{
    if (!m_law)
        return;
    const int row = currentRow();
    showCatalogueView();
    m_title->setText(tr("考 点 目 录"));
    loadCatalogue();
    if (row >= 0 && row < m_rows.size())
        m_grid->selectRow(row);
    m_law.reset();
    m_articleList->clear();
    m_articleText->clear();
    m_note->clear();
    m_keyPointsButton->setText(tr("重点(&M)"));
}

void LawsBrowserWindow::searchBank()
{
    const QString phrase = m_bankSearchEdit->text().trimmed();
    if (phrase.isEmpty())
        return;
    BankSearch search(m_context.db);
    if (!search.hasIndex())
        m_context.progress.showStage(tr("正在建立全文检索索引，请稍候……"));
    Result<SearchResult> found = [&] {
        HourglassCursor hourglass;
        return search.find(phrase);
    }();
    m_context.progress.hide();
    if (!found) {
        showError(found.reason());
        return;
    }
    if (found->articles.isEmpty() && found->questions.isEmpty()) {
        notice(tr("没有找到“%1”。").arg(phrase));
        return;
    }
    BankSearchWindow window(m_context, phrase, *found, this);
    m_context.modal.run(window);
    switch (window.choice()) {
    case BankSearchWindow::Choice::None:
        break;
    case BankSearchWindow::Choice::OpenArticle: {
        const SearchHit hit = window.chosenArticle();
        if (m_law)
            back();
        if (selectLaw(hit.lawId) && openLaw(currentRow()))
            selectArticle(hit.key);
        break;
    }
    case BankSearchWindow::Choice::PractiseQuestions:
        practise(tr("检索：%1").arg(phrase), QuestionListQuery::questions(found->questionIds()));
        break;
    }
}

} // namespace vorlane::ui
