#include "ui/authoring/ExamPointPickerWindow.h"

#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vorlane::ui {

namespace {

QLabel *pageTitle(const QString &text, QWidget *parent)
{
    auto *title = new QLabel(text, parent);
    title->setAlignment(Qt::AlignCenter);
    QFont font = title->font();
    font.setPointSize(font.pointSize() + 4);
    font.setBold(true);
    title->setFont(font);
    return title;
}

} // namespace

ExamPointPickerWindow::ExamPointPickerWindow(
    UiContext &context, Page page, const QStringList &held, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_page(page)
    , m_picker(context.db, held)
{
    setObjectName(QStringLiteral("examPointPickerWindow"));
    setWindowTitle(tr("欢迎"));
    resize(560, 440);
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("pickerPages"));
    auto *selection = new QWidget(m_pages);
    auto *usage = new QWidget(m_pages);
    buildSelectionPage(selection);
    buildUsagePage(usage);
    m_pages->addWidget(selection);
    m_pages->addWidget(usage);
    m_pages->setCurrentIndex(page);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);

    // Only the selection page reads the bank.
    if (page == SelectionPage) {
        if (const Status loaded = m_picker.load(); !loaded)
            m_context.prompt.ask(tr("错误"), loaded.reason(), PromptDialog::Single, PromptDialog::Error);
        for (const PickerLaw &law : m_picker.laws())
            m_laws->addItem(law.name, law.id);
        showArticles();
        connect(m_laws, &QComboBox::currentIndexChanged, this, [this](int index) {
            if (index < 0)
                return;
            if (const Status chosen = m_picker.chooseLaw(index); !chosen)
                m_context.prompt.ask(tr("错误"), chosen.reason(), PromptDialog::Single, PromptDialog::Error);
            showArticles();
        });
    }
}

void ExamPointPickerWindow::buildSelectionPage(QWidget *page)
{
    m_laws = new QComboBox(page);
    m_laws->setObjectName(QStringLiteral("lawBox"));
    m_laws->setEditable(false);
    m_articles = new QListWidget(page);
    m_articles->setObjectName(QStringLiteral("articleList"));
    connect(m_articles, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        m_picker.setTicked(m_articles->row(item), item->checkState() == Qt::Checked);
    });
    auto *ok = new QPushButton(tr("确定"), page);
    ok->setObjectName(QStringLiteral("pickerOkButton"));
    connect(ok, &QPushButton::clicked, this, &ExamPointPickerWindow::confirm);
    auto *close = new QPushButton(tr("关闭"), page);
    close->setObjectName(QStringLiteral("pickerCloseButton"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(pageTitle(tr("考 点 选 择"), page));
    auto *lawRow = new QHBoxLayout;
    lawRow->addWidget(new QLabel(tr("考点："), page));
    lawRow->addWidget(m_laws, 1);
    layout->addLayout(lawRow);
    layout->addWidget(new QLabel(tr("条文："), page));
    layout->addWidget(m_articles, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

void ExamPointPickerWindow::buildUsagePage(QWidget *page)
{
    m_usage = new QPlainTextEdit(page);
    m_usage->setObjectName(QStringLiteral("usageText"));
    m_usage->setReadOnly(true);
    m_usage->setPlainText(ExamPointPicker::usageLines().join(u'\n'));
    auto *close = new QPushButton(tr("关闭"), page);
    close->setObjectName(QStringLiteral("usageCloseButton"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(pageTitle(tr("使 用 说 明"), page));
    layout->addWidget(m_usage, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

void ExamPointPickerWindow::showArticles()
{
    const QSignalBlocker blocker(m_articles);
    m_articles->clear();
    for (const PickerArticle &article : m_picker.articles()) {
        auto *item = new QListWidgetItem(article.title, m_articles);
        item->setData(Qt::UserRole, article.key);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(article.ticked ? Qt::Checked : Qt::Unchecked);
    }
    if (m_articles->count() > 0)
        m_articles->setCurrentRow(0);
}

void ExamPointPickerWindow::confirm()
{
    const auto picked = m_picker.confirm();
    if (!picked) {
        m_context.prompt.ask(tr("提示"), picked.reason(), PromptDialog::Single, PromptDialog::Information);
        return;
    }
    m_picked = *picked;
    accept();
}

} // namespace vorlane::ui
