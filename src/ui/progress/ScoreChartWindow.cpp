#include "ui/progress/ScoreChartWindow.h"

#include "core/AppState.h"
#include "core/progress/ProgressCharts.h"
#include "ui/progress/DepthChartView.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/ShellCommands.h"
#include "ui/shell/UiContext.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vorlane::ui {

namespace {

const Qt::Alignment LegendAlignments[] = { Qt::AlignTop, Qt::AlignBottom, Qt::AlignLeft, Qt::AlignRight };

QPushButton *makeButton(const QString &caption, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

ScoreChartKind kindOfItem(int item)
{
    switch (item) {
    case ScoreChartWindow::DistributionItem:
        return ScoreChartKind::Distribution;
    case ScoreChartWindow::ProgressItem:
        return ScoreChartKind::Progress;
    default:
        return ScoreChartKind::Frequency;
    }
}

} // namespace

ScoreChartWindow::ScoreChartWindow(UiContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_hooks(ChartOutputHooks::platform(context))
{
    setObjectName(QStringLiteral("scoreChartWindow"));
    setWindowTitle(tr("成绩统计图"));
    resize(context.state.compactLayout() ? QSize(790, 472) : QSize(934, 600));

    const Result<ProgressChartData> data = readProgressCharts(context.db);
    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("chartPages"));
    const char *names[] = { "frequencyChart", "distributionChart", "progressChart" };
    for (int i = 0; i < 3; ++i) {
        m_pages[i] = new ScoreChartPage(ScoreChartKind(i), data ? *data : ProgressChartData(), m_stack);
        m_pages[i]->setObjectName(QLatin1String(names[i]));
        m_stack->addWidget(m_pages[i]);
    }

    auto *print = makeButton(tr("打印"), "chartPrint", this);
    auto *save = makeButton(tr("存为..."), "chartSave", this);
    auto *settings = makeButton(tr("设置"), "chartSettings", this);
    auto *close = makeButton(tr("关闭"), "chartClose", this);
    connect(print, &QPushButton::clicked, this,
        [this] { printChart(*shownPage(), m_hooks, m_context.prompt, this); });
    connect(save, &QPushButton::clicked, this,
        [this] { saveChartPicture(*shownPage(), m_hooks, m_context.prompt, this); });
    connect(settings, &QPushButton::clicked, this, [this] { openSystemSettings(m_context, this); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *controls = new QVBoxLayout;
    controls->addWidget(makeKindGroup());
    controls->addWidget(makeLegendGroup());
    controls->addWidget(makeStyleGroup());
    controls->addStretch();
    auto *buttons = new QGridLayout;
    buttons->addWidget(print, 0, 0);
    buttons->addWidget(save, 0, 1);
    buttons->addWidget(settings, 1, 0);
    buttons->addWidget(close, 1, 1);
    controls->addLayout(buttons);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_stack, 1);
    layout->addLayout(controls);

    m_stack->setCurrentWidget(page(ScoreChartKind::Frequency));
    m_kinds->button(FrequencyItem)->setChecked(true);
    if (!data)
        m_context.prompt.ask(tr("错误"), data.reason(), PromptDialog::Single, PromptDialog::Error);
}

ScoreChartPage *ScoreChartWindow::shownPage() const
{
    return static_cast<ScoreChartPage *>(m_stack->currentWidget());
}

QGroupBox *ScoreChartWindow::makeKindGroup()
{
    auto *group = new QGroupBox(tr("统计图类型"), this);
    group->setObjectName(QStringLiteral("chartKind"));
    auto *layout = new QVBoxLayout(group);
    m_kinds = new QButtonGroup(this);
    const char *names[] = { "chartKindDistribution", "chartKindFrequency", "chartKindProgress" };
    const QString captions[] = { tr("习题分布"), tr("频度统计"), tr("进度统计") };
    for (int i = 0; i < 3; ++i) {
        auto *radio = new QRadioButton(captions[i], group);
        radio->setObjectName(QLatin1String(names[i]));
        m_kinds->addButton(radio, i);
        layout->addWidget(radio);
    }
    connect(m_kinds, &QButtonGroup::idToggled, this, [this](int item, bool checked) {
        if (checked)
            changeKind(item);
    });
    return group;
}

QGroupBox *ScoreChartWindow::makeLegendGroup()
{
    m_legendGroup = new QGroupBox(tr("图例位置"), this);
    m_legendGroup->setObjectName(QStringLiteral("chartLegendPosition"));
    auto *layout = new QGridLayout(m_legendGroup);
    m_legendPositions = new QButtonGroup(this);
    const char *names[] = { "chartLegendTop", "chartLegendBottom", "chartLegendLeft", "chartLegendRight" };
    const QString captions[] = { tr("上方"), tr("下方"), tr("左侧"), tr("右侧") };
    for (int i = 0; i < 4; ++i) {
        auto *radio = new QRadioButton(captions[i], m_legendGroup);
        radio->setObjectName(QLatin1String(names[i]));
        m_legendPositions->addButton(radio, i);
        layout->addWidget(radio, i / 2, i % 2);
    }
    m_legendPositions->button(0)->setChecked(true);
    connect(m_legendPositions, &QButtonGroup::idToggled, this, [this](int item, bool checked) {
        if (checked)
            shownPage()->setLegendAlignment(LegendAlignments[item]);
    });
    return m_legendGroup;
}

QGroupBox *ScoreChartWindow::makeStyleGroup()
{
    auto *group = new QGroupBox(tr("显示风格"), this);
    group->setObjectName(QStringLiteral("chartStyle"));
    auto *layout = new QVBoxLayout(group);
    auto makeBox = [group, layout](const QString &caption, const char *name) {
        auto *box = new QCheckBox(caption, group);
        box->setObjectName(QLatin1String(name));
        box->setChecked(true);
        layout->addWidget(box);
        return box;
    };
    m_depth = makeBox(tr("立体显示"), "chartDepth");
    m_legend = makeBox(tr("显示图例"), "chartLegend");
    m_labels = makeBox(tr("显示标签"), "chartLabels");
    connect(m_depth, &QCheckBox::toggled, this, [this](bool on) { shownPage()->setDepth(on); });
    connect(m_legend, &QCheckBox::toggled, this, [this](bool on) {
        shownPage()->setLegendVisible(on);
        m_legendGroup->setEnabled(on);
    });
    connect(m_labels, &QCheckBox::toggled, this, [this](bool on) { shownPage()->setLabelsVisible(on); });
    return group;
}

void ScoreChartWindow::changeKind(int item)
{
    // The chart being left goes back to the default style before the next one shows.
    resetStyles();
    const ScoreChartKind kind = kindOfItem(item);
    m_stack->setCurrentWidget(page(kind));
    if (kind == ScoreChartKind::Distribution) {
        const Result<qint64> total = readChartQuestionTotal(m_context.db);
        page(kind)->setQuestionTotal(total ? *total : 0);
    }
}

void ScoreChartWindow::resetStyles()
{
    m_legendPositions->button(0)->setChecked(true);
    m_depth->setChecked(true);
    m_legend->setChecked(true);
    m_labels->setChecked(true);
}

} // namespace vorlane::ui
