#include "ui/shell/MenuWindow.h"

#include "core/AppState.h"
#include "core/log/Logging.h"
#include "core/settings/StartupRules.h"
#include "core/store/StoreError.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/Theme.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QGridLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <exception>

namespace vorlane::ui {

namespace {

constexpr int BannerHeight = 88;

const char MenuStyle[] = R"(
QWidget#menuWindow { font-family: "宋体"; }
QLabel#menuTitle { color: #ffffff; font-size: 36px; font-weight: bold; background: transparent; }
QLabel#menuSubtitle { color: #f1d79a; font-size: 15px; background: transparent; }
QLabel[role="sectionTitle"] { color: #1e3f61; font-size: 17px; font-weight: bold; background: transparent;
                      border-bottom: 2px solid #d9a441; padding-bottom: 2px; }
QLabel#menuHint { color: #6b6455; font-size: 12px; background: transparent; }
QFrame[role="subjectCard"] { background: rgba(255, 255, 255, 235); border: 1px solid #d3c8af; border-radius: 10px; }
QLabel[role="subjectBadge"] { color: #ffffff; background: #b8452f; border-radius: 4px; padding: 1px 7px;
                      font-size: 13px; }
QLabel[role="subjectTitle"] { color: #1f2d3d; font-size: 17px; font-weight: bold; background: transparent; border: 0; }
QFrame[role="toolGroup"] { background: rgba(255, 255, 255, 215); border: 1px solid #d3c8af; border-radius: 10px; }
QLabel[role="groupTitle"] { color: #1e3f61; font-size: 15px; font-weight: bold; background: transparent; border: 0; }
QPushButton[role="subjectItem"] {
    color: #ffffff; font-size: 15px; min-height: 28px; border-radius: 6px; border: 1px solid #1e3f61;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3d6f9f, stop:1 #2a557f);
}
QPushButton[role="subjectItem"]:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4b80b3, stop:1 #2f5d8a); }
QPushButton[role="subjectItem"][exam="true"] { border-color: #8c3322;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #c95a43, stop:1 #a83e2a); }
QPushButton[role="subjectItem"][exam="true"]:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #d86a52, stop:1 #b8452f); }
QPushButton[role="toolItem"] { font-size: 14px; min-height: 26px; text-align: left; padding-left: 12px; }
QPushButton[role="subjectItem"]:focus, QPushButton[role="toolItem"]:focus, QPushButton#menu_quit:focus {
    border: 2px solid #d9a441; }
QPushButton#menu_quit { color: #ffffff; font-size: 15px; min-width: 76px; min-height: 28px; border-radius: 14px;
    border: 1px solid #f1d79a; background: rgba(255, 255, 255, 30); }
QPushButton#menu_quit:hover { background: #b8452f; }
)";

QString subjectWord(const char *stem, int subject)
{
    QString word = QLatin1String(stem);
    if (subject != 1)
        word += QString::number(subject);
    return word;
}

QString subjectNumeral(int subject)
{
    return Subject::fromNumber(subject).numeral();
}

QLabel *styledLabel(const QString &text, const char *cssClass, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setProperty("role", QLatin1String(cssClass));
    return label;
}

} // namespace

QStringList MenuWindow::artworkFiles()
{
    return { QStringLiteral("pic/menu_background.jpg"), QStringLiteral("pic/menu_banner.png"),
        QStringLiteral("pic/menu_logo.png") };
}

bool MenuWindow::artworkAvailable(const QString &appDir)
{
    // Reading the headers is enough to tell a missing or foreign file, and keeps the start quick;
    // the menu decodes the pictures once when it is made.
    for (const QString &file : artworkFiles()) {
        QImageReader reader(appDir + file);
        if (!reader.canRead() || !reader.size().isValid())
            return false;
    }
    return true;
}

MenuWindow::MenuWindow(UiContext &context, CommandDispatcher &dispatcher, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_context(context)
    , m_dispatcher(dispatcher)
{
    setObjectName(QStringLiteral("menuWindow"));
    setWindowTitle(QStringLiteral("Vorlane"));
    setStyleSheet(QString::fromUtf8(MenuStyle));
    m_background = QPixmap(m_context.state.appDir + QStringLiteral("pic/menu_background.jpg"));
    m_logo = QPixmap(m_context.state.appDir + QStringLiteral("pic/menu_logo.png"));
    m_banner = QPixmap(m_context.state.appDir + QStringLiteral("pic/menu_banner.png"));

    auto *root = new QVBoxLayout(this);
    // The screen decides the menu's size, not its contents: a minimum taken while the items
    // were still being added (narrower, with longer wrapped titles) would hold the window
    // taller than the screen and push the lowest items off it.
    root->setSizeConstraint(QLayout::SetNoConstraint);
    root->setContentsMargins(32, 0, 32, 10);
    root->setSpacing(0);

    auto *header = new QWidget(this);
    header->setFixedHeight(BannerHeight);
    auto *headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(0, 6, 0, 10);
    auto *logo = new QLabel(header);
    logo->setObjectName(QStringLiteral("menuLogo"));
    logo->setPixmap(m_logo.scaled(60, 60, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    logo->setStyleSheet(QStringLiteral("background: transparent;"));
    headerRow->addWidget(logo);
    headerRow->addSpacing(12);
    auto *titles = new QVBoxLayout;
    titles->setSpacing(0);
    auto *title = new QLabel(QStringLiteral("Vorlane"), header);
    title->setObjectName(QStringLiteral("menuTitle"));
    auto *subtitle = new QLabel(tr("执业资格考试 · 章节练习 · 模拟考试 · 法规学习"), header);
    subtitle->setObjectName(QStringLiteral("menuSubtitle"));
    titles->addStretch();
    titles->addWidget(title);
    titles->addWidget(subtitle);
    titles->addStretch();
    headerRow->addLayout(titles);
    headerRow->addStretch();
    QPushButton *quit = addItem(QStringLiteral("quit"), tr("退出"), tr("结束学习，退出程序"), header);
    quit->setProperty("role", QVariant());
    headerRow->addWidget(quit, 0, Qt::AlignVCenter);
    root->addWidget(header);
    root->addSpacing(16);

    auto *body = new QHBoxLayout;
    body->setSpacing(22);
    auto *subjects = new QVBoxLayout;
    subjects->setSpacing(10);
    subjects->addWidget(styledLabel(tr("考试科目"), "sectionTitle", this));
    m_subjectGrid = new QGridLayout;
    m_subjectGrid->setSpacing(12);
    subjects->addLayout(m_subjectGrid);
    subjects->addStretch();
    body->addLayout(subjects, 1);
    auto *tools = new QVBoxLayout;
    tools->setSpacing(10);
    tools->addWidget(styledLabel(tr("学习工具"), "sectionTitle", this));
    body->addLayout(tools);
    root->addLayout(body, 1);

    auto *hint = new QLabel(tr("单击选择项目，或用方向键、Tab 键移动，回车键确认"), this);
    hint->setObjectName(QStringLiteral("menuHint"));
    hint->setAlignment(Qt::AlignRight);
    root->addWidget(hint);

    buildSubjects();
    buildTools();
    for (QWidget *group : std::as_const(m_toolGroups))
        tools->addWidget(group);
    tools->addStretch();
    // The quit item sits in the banner but comes last when moving through the items.
    m_order.removeAll(QStringLiteral("quit"));
    m_order.append(QStringLiteral("quit"));
    refreshItems();
}

QPushButton *MenuWindow::addItem(
    const QString &word, const QString &caption, const QString &tip, QWidget *owner)
{
    auto *button = new QPushButton(caption, owner);
    button->setObjectName(QStringLiteral("menu_") + word);
    button->setProperty("command", word);
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->installEventFilter(this);
    connect(button, &QPushButton::clicked, this, [this, word] { runCommand(word); });
    m_items.insert(word, button);
    m_order.append(word);
    return button;
}

void MenuWindow::runCommand(const QString &word)
{
    // While "quit" runs, the close it asks for is the approved one.
    const bool quitting = word == QLatin1String("quit");
    const bool wasQuitting = m_quitting;
    m_quitting = m_quitting || quitting;
    // A window that fails while it opens must not take the program down: its error is told
    // and the menu stays usable.
    try {
        m_dispatcher.dispatch(word);
    } catch (const StoreError &error) {
        m_context.prompt.ask(tr("错误"), storeFailure(error, StoreAction::Read).reason(),
            PromptDialog::Single, PromptDialog::Error, QStringLiteral("NO"));
    } catch (const std::exception &error) {
        qCCritical(lcUi) << "command" << word << "failed:" << error.what();
        m_context.prompt.ask(tr("错误"), QString::fromUtf8(error.what()), PromptDialog::Single,
            PromptDialog::Error, QStringLiteral("NO"));
    }
    m_quitting = wasQuitting;
}

void MenuWindow::closeEvent(QCloseEvent *event)
{
    if (m_quitting || !m_dispatcher.serves(QStringLiteral("quit"))) {
        QWidget::closeEvent(event);
        return;
    }
    // The plan check decides; it closes the window itself when the user agrees.
    event->ignore();
    runCommand(QStringLiteral("quit"));
}

void MenuWindow::buildSubjects()
{
    const Result<QMap<int, QString>> titles = loadSubjectTitles(m_context.db);
    for (int subject = 1; subject <= 5; ++subject) {
        auto *card = new QFrame(this);
        card->setObjectName(QStringLiteral("subjectCard%1").arg(subject));
        card->setProperty("role", QStringLiteral("subjectCard"));
        card->setMinimumHeight(104);
        auto *column = new QVBoxLayout(card);
        column->setContentsMargins(14, 12, 14, 12);
        column->setSpacing(6);
        auto *badgeRow = new QHBoxLayout;
        QLabel *badge = styledLabel(subjectNumeral(subject), "subjectBadge", card);
        badgeRow->addWidget(badge);
        badgeRow->addStretch();
        column->addLayout(badgeRow);
        const Subject named = Subject::fromNumber(subject, titles ? titles->value(subject) : QString());
        // Without a name of its own the number is the title, and a badge beside it would repeat it.
        badge->setVisible(named.hasOwnTitle());
        QLabel *title = styledLabel(named.shownTitle(), "subjectTitle", card);
        title->setObjectName(QStringLiteral("subjectTitle%1").arg(subject));
        title->setWordWrap(true);
        column->addWidget(title);
        column->addStretch();
        auto *buttons = new QHBoxLayout;
        buttons->setSpacing(8);
        QPushButton *practice = addItem(subjectWord("lx", subject), tr("章节练习"),
            tr("按章节练习%1的试题").arg(subjectNumeral(subject)), card);
        practice->setProperty("role", QStringLiteral("subjectItem"));
        QPushButton *exam = addItem(subjectWord("mnks", subject), tr("模拟考试"),
            tr("随机组卷，进行%1的模拟考试").arg(subjectNumeral(subject)), card);
        exam->setProperty("role", QStringLiteral("subjectItem"));
        exam->setProperty("exam", true);
        buttons->addWidget(practice);
        buttons->addWidget(exam);
        column->addLayout(buttons);
        m_subjectCards.append(card);
    }
}

void MenuWindow::buildTools()
{
    struct Entry
    {
        const char *word;
        const char *caption;
        const char *tip;
    };
    struct Group
    {
        const char *title;
        std::initializer_list<Entry> entries;
    };
    const Group groups[] = {
        { QT_TR_NOOP("学习与复习"),
            { { "ksdg", QT_TR_NOOP("法规学习"), QT_TR_NOOP("浏览法规条文，按考点练习") },
                { "cj", QT_TR_NOOP("查阅试卷"), QT_TR_NOOP("查看、删除已保存的模拟试卷") },
                { "rz", QT_TR_NOOP("学习日志"), QT_TR_NOOP("每天的练习记录") },
                { "tj", QT_TR_NOOP("成绩图表"), QT_TR_NOOP("各章练习进度图表") } } },
        { QT_TR_NOOP("计划与设置"),
            { { "szjh", QT_TR_NOOP("学习计划"), QT_TR_NOOP("每日学习目标与考试倒计时") },
                { "szks", QT_TR_NOOP("考试设置"), QT_TR_NOOP("及格分数与考试时间") },
                { "sztime", QT_TR_NOOP("答题时间"), QT_TR_NOOP("各题型每题的答题时间") },
                { "music", QT_TR_NOOP("背景音乐"), QT_TR_NOOP("开关背景音乐，选择乐曲") },
                { "sj", QT_TR_NOOP("题库升级"), QT_TR_NOOP("把升级文件中的新题并入题库") },
                { "jcsj", QT_TR_NOOP("检查数据"), QT_TR_NOOP("检查题库，修复不符的统计数字") },
                { "sjbf", QT_TR_NOOP("数据备份"), QT_TR_NOOP("题库的自动备份，一键恢复") } } },
        { QT_TR_NOOP("资料与帮助"),
            { { "fg", QT_TR_NOOP("法规选编"), QT_TR_NOOP("考试涉及的法律法规汇编") },
                { "lxfs", QT_TR_NOOP("联系方式"), QT_TR_NOOP("发行站及专业书店联系方式") },
                { "help", QT_TR_NOOP("使用帮助"), QT_TR_NOOP("本软件各项功能的说明") },
                { "about", QT_TR_NOOP("关于"), QT_TR_NOOP("关于本软件") } } },
    };
    int index = 0;
    for (const Group &group : groups) {
        auto *frame = new QFrame(this);
        frame->setObjectName(QStringLiteral("toolGroup%1").arg(++index));
        frame->setProperty("role", QStringLiteral("toolGroup"));
        auto *column = new QVBoxLayout(frame);
        column->setContentsMargins(12, 8, 12, 10);
        column->setSpacing(6);
        column->addWidget(styledLabel(tr(group.title), "groupTitle", frame));
        auto *grid = new QGridLayout;
        grid->setSpacing(6);
        int slot = 0;
        for (const Entry &entry : group.entries) {
            QPushButton *button = addItem(QLatin1String(entry.word), tr(entry.caption), tr(entry.tip), frame);
            button->setProperty("role", QStringLiteral("toolItem"));
            button->setMinimumWidth(100);
            grid->addWidget(button, slot / 2, slot % 2);
            ++slot;
        }
        m_toolGrids.append(grid);
        column->addLayout(grid);
        m_toolGroups.append(frame);
    }
}

void MenuWindow::refreshItems()
{
    for (auto it = m_items.cbegin(); it != m_items.cend(); ++it)
        it.value()->setVisible(m_dispatcher.serves(it.key()));
    // A tool group without a single served item would only be decoration; the subject cards
    // stay, since their titles tell what the bank holds.
    for (QWidget *box : std::as_const(m_toolGroups)) {
        bool any = false;
        for (QPushButton *button : box->findChildren<QPushButton *>())
            any = any || !button->isHidden();
        box->setVisible(any);
    }
    // Close the gaps that hidden items leave in their group.
    for (QGridLayout *grid : std::as_const(m_toolGrids)) {
        QList<QWidget *> buttons;
        while (QLayoutItem *entry = grid->takeAt(0)) {
            buttons.append(entry->widget());
            delete entry;
        }
        int slot = 0;
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            QWidget *button = buttons.at(i);
            // Hidden items wait in rows of their own below, in their order.
            const int at = button->isHidden() ? 200 + 2 * int(i) : slot++;
            grid->addWidget(button, at / 2, at % 2);
        }
    }
    m_subjectColumns = 0;
    layoutSubjects();
    // Tab follows the menu's own order, which ends on 退出 although it sits in the banner.
    QWidget *previous = nullptr;
    for (const QString &word : std::as_const(m_order)) {
        QPushButton *button = m_items.value(word);
        if (previous)
            QWidget::setTabOrder(previous, button);
        previous = button;
    }
}

void MenuWindow::focusFirstItem()
{
    // The first subject's 章节练习, never 退出: Enter right after the start must not offer to quit.
    for (const QString &word : std::as_const(m_order))
        if (!m_items.value(word)->isHidden()) {
            m_items.value(word)->setFocus(Qt::OtherFocusReason);
            return;
        }
}

void MenuWindow::layoutSubjects()
{
    const int columns = width() >= 1000 ? 3 : 2;
    if (columns == m_subjectColumns)
        return;
    m_subjectColumns = columns;
    for (QWidget *card : std::as_const(m_subjectCards))
        m_subjectGrid->removeWidget(card);
    int slot = 0;
    for (QWidget *card : std::as_const(m_subjectCards)) {
        if (card->isHidden())
            continue;
        m_subjectGrid->addWidget(card, slot / columns, slot % columns);
        ++slot;
    }
    for (int c = 0; c < 3; ++c)
        m_subjectGrid->setColumnStretch(c, c < columns ? 1 : 0);
}

QPushButton *MenuWindow::item(const QString &word) const
{
    return m_items.value(word);
}

QStringList MenuWindow::words() const
{
    return m_order;
}

void MenuWindow::runShowSequence()
{
    applyMenuShowRules(m_context.state, m_context.db);
}

void MenuWindow::showOnScreen()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(screen->geometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    show();
}

void MenuWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect area = rect();
    if (!m_background.isNull()) {
        // Scaled once per size: painting must stay cheap, the menu is repainted behind every window.
        if (m_scaledBackground.size() != area.size()) {
            const QPixmap scaled
                = m_background.scaled(area.size(), Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
            m_scaledBackground = scaled.copy((scaled.width() - area.width()) / 2,
                scaled.height() - area.height(), area.width(), area.height());
        }
        p.drawPixmap(area.topLeft(), m_scaledBackground);
    } else {
        p.fillRect(area, QColor(theme::Paper));
    }
    const QRect banner(0, 0, width(), BannerHeight);
    if (!m_banner.isNull())
        p.drawPixmap(banner, m_banner);
    else
        p.fillRect(banner, QColor(theme::Navy));
    if (!m_paintReported) {
        m_paintReported = true;
        QMetaObject::invokeMethod(this, &MenuWindow::shownAndPainted, Qt::QueuedConnection);
    }
}

void MenuWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        runShowSequence();
    QWidget::mousePressEvent(event);
}

void MenuWindow::keyPressEvent(QKeyEvent *event)
{
    // Keys that reach the window itself (no item has the focus yet) start on the first item.
    switch (event->key()) {
    case Qt::Key_Down:
    case Qt::Key_Right:
    case Qt::Key_Tab:
    case Qt::Key_Home:
        focusFirstItem();
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

bool MenuWindow::eventFilter(QObject *watched, QEvent *event)
{
    auto *button = qobject_cast<QPushButton *>(watched);
    if (!button || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        button->click();
        return true;
    }
    int step = 0;
    if (key == Qt::Key_Down || key == Qt::Key_Right)
        step = 1;
    else if (key == Qt::Key_Up || key == Qt::Key_Left)
        step = -1;
    if (step == 0)
        return QWidget::eventFilter(watched, event);
    QStringList visible;
    for (const QString &word : std::as_const(m_order))
        if (!m_items.value(word)->isHidden())
            visible.append(word);
    const qsizetype at = visible.indexOf(button->property("command").toString());
    if (at >= 0 && !visible.isEmpty())
        m_items.value(visible.at((at + step + visible.size()) % visible.size()))
            ->setFocus(Qt::TabFocusReason);
    return true;
}

void MenuWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce && !event->spontaneous()) {
        m_shownOnce = true;
        runShowSequence();
        focusFirstItem();
    }
}

void MenuWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutSubjects();
}

} // namespace vorlane::ui
