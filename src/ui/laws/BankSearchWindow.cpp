#include "ui/laws/BankSearchWindow.h"

#include "core/AppState.h"
#include "ui/shell/UiContext.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vorlane::ui {

namespace {

constexpr int HitRole = Qt::UserRole;

QString groupTitle(const QString &name, qsizetype count, bool more)
{
    return more ? QStringLiteral("%1（前 %2 条）").arg(name).arg(count)
                : QStringLiteral("%1（%2）").arg(name).arg(count);
}

} // namespace

BankSearchWindow::BankSearchWindow(
    UiContext &context, const QString &phrase, SearchResult result, QWidget *parent)
    : QDialog(parent)
    , m_result(std::move(result))
{
    setObjectName(QStringLiteral("bankSearchWindow"));
    setWindowTitle(tr("全文检索：%1").arg(phrase));
    const bool compact = context.state.compactLayout();
    setFixedSize(compact ? QSize(720, 440) : QSize(860, 540));

    m_hits = new QTreeWidget(this);
    m_hits->setObjectName(QStringLiteral("searchHits"));
    m_hits->setColumnCount(2);
    m_hits->setHeaderLabels({ tr("出处"), tr("内容") });
    m_hits->header()->resizeSection(0, compact ? 260 : 300);
    m_hits->setRootIsDecorated(true);
    m_hits->setUniformRowHeights(true);

    m_articleGroup = new QTreeWidgetItem(
        m_hits, { groupTitle(tr("法规条文"), m_result.articles.size(), m_result.moreArticles), QString() });
    for (int i = 0; i < m_result.articles.size(); ++i) {
        const SearchHit &hit = m_result.articles.at(i);
        auto *item = new QTreeWidgetItem(m_articleGroup, { hit.place, hit.text });
        item->setData(0, HitRole, i);
        item->setToolTip(0, hit.place);
    }
    m_questionGroup = new QTreeWidgetItem(
        m_hits, { groupTitle(tr("题目"), m_result.questions.size(), m_result.moreQuestions), QString() });
    for (int i = 0; i < m_result.questions.size(); ++i) {
        const SearchHit &hit = m_result.questions.at(i);
        auto *item = new QTreeWidgetItem(m_questionGroup, { hit.place, hit.text });
        item->setData(0, HitRole, i);
        item->setToolTip(1, hit.text);
    }
    for (QTreeWidgetItem *group : { m_articleGroup, m_questionGroup }) {
        group->setFirstColumnSpanned(true);
        group->setExpanded(true);
        group->setFlags(Qt::ItemIsEnabled);
    }

    m_openArticle = new QPushButton(tr("查看条文(&V)"), this);
    m_openArticle->setObjectName(QStringLiteral("openArticleButton"));
    m_practise = new QPushButton(tr("练习找到的题(&P)"), this);
    m_practise->setObjectName(QStringLiteral("practiseFoundButton"));
    m_practise->setEnabled(!m_result.questions.isEmpty());
    m_close = new QPushButton(tr("关闭(&C)"), this);
    m_close->setObjectName(QStringLiteral("closeSearchButton"));
    for (QPushButton *button : { m_openArticle, m_practise, m_close })
        button->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_openArticle);
    buttons->addWidget(m_practise);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_hits, 1);
    layout->addLayout(buttons);

    connect(m_hits, &QTreeWidget::currentItemChanged, this,
        [this](QTreeWidgetItem *item) { currentChanged(item); });
    connect(m_hits, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        if (item->parent() == m_articleGroup)
            openCurrentArticle();
        else if (item->parent() == m_questionGroup)
            practiseQuestions();
    });
    connect(m_openArticle, &QPushButton::clicked, this, &BankSearchWindow::openCurrentArticle);
    connect(m_practise, &QPushButton::clicked, this, &BankSearchWindow::practiseQuestions);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    QTreeWidgetItem *first
        = m_articleGroup->childCount() > 0 ? m_articleGroup->child(0) : m_questionGroup->child(0);
    m_hits->setCurrentItem(first);
    currentChanged(first);
}

void BankSearchWindow::currentChanged(QTreeWidgetItem *item)
{
    m_openArticle->setEnabled(item && item->parent() == m_articleGroup);
}

void BankSearchWindow::openCurrentArticle()
{
    QTreeWidgetItem *item = m_hits->currentItem();
    if (!item || item->parent() != m_articleGroup)
        return;
    m_chosen = m_result.articles.at(item->data(0, HitRole).toInt());
    m_choice = Choice::OpenArticle;
    accept();
}

void BankSearchWindow::practiseQuestions()
{
    if (m_result.questions.isEmpty())
        return;
    m_choice = Choice::PractiseQuestions;
    accept();
}

} // namespace vorlane::ui
