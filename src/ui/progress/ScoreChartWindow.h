#pragma once

#include "ui/progress/ChartOutput.h"
#include "ui/progress/ScoreChartPage.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QStackedWidget;

namespace vorlane::ui {

struct UiContext;

// "成绩统计图": the frequency, distribution and progress charts of the charted chapters, with
// the kind, legend and style controls, printing and saving.
class ScoreChartWindow : public QDialog
{
public:
    // Items of the kind selector, in its order.
    enum KindItem { DistributionItem = 0, FrequencyItem = 1, ProgressItem = 2 };

    ScoreChartWindow(UiContext &context, QWidget *parent = nullptr);

    void setOutputHooks(ChartOutputHooks hooks) { m_hooks = std::move(hooks); }

    ScoreChartPage *page(ScoreChartKind kind) const { return m_pages.at(int(kind)); }
    ScoreChartPage *shownPage() const;

private:
    QGroupBox *makeKindGroup();
    QGroupBox *makeLegendGroup();
    QGroupBox *makeStyleGroup();
    void changeKind(int item);
    void resetStyles();

    UiContext &m_context;
    ChartOutputHooks m_hooks;
    QStackedWidget *m_stack = nullptr;
    std::array<ScoreChartPage *, 3> m_pages {};
    QButtonGroup *m_kinds = nullptr;
    QButtonGroup *m_legendPositions = nullptr;
    QGroupBox *m_legendGroup = nullptr;
    QCheckBox *m_depth = nullptr;
    QCheckBox *m_legend = nullptr;
    QCheckBox *m_labels = nullptr;
};

} // namespace vorlane::ui
