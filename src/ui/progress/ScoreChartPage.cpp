#include "ui/progress/ScoreChartPage.h"

#include "ui/progress/DepthChartView.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QPieSeries>
#include <QPieSlice>
#include <QStackedBarSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <cmath>

namespace vorlane::ui {

namespace {

const QColor AnswersColour(0, 128, 0);
const QColor WrongColour(255, 0, 0);

// The total sits this far above the page's bottom edge, and 30 pixels higher when the legend
// takes the bottom.
constexpr int TotalFromBottom = 66;
constexpr int TotalRaise = 30;

QColor colourOf(const ChartColour &c)
{
    return QColor(c.red, c.green, c.blue);
}

QStringList labelsOf(const QList<ChartPoint> &points)
{
    QStringList labels;
    for (const ChartPoint &p : points)
        labels << p.label;
    return labels;
}

// A hidden category axis below and a value axis on the left with room above the tallest bar
// for its label and its top face.
void addAxes(QChart *chart, const QStringList &categories, const QString &bottomTitle,
    const QString &leftTitle, qint64 largest)
{
    auto *bottom = new QBarCategoryAxis(chart);
    bottom->append(categories);
    bottom->setTitleText(bottomTitle);
    bottom->setVisible(false);
    auto *left = new QValueAxis(chart);
    left->setTitleText(leftTitle);
    left->setLabelFormat(QStringLiteral("%d"));
    left->setRange(0, qMax<double>(10, std::ceil(largest * 1.15)));
    left->applyNiceNumbers();
    chart->addAxis(bottom, Qt::AlignBottom);
    chart->addAxis(left, Qt::AlignLeft);
    for (QAbstractSeries *series : chart->series()) {
        series->attachAxis(bottom);
        series->attachAxis(left);
    }
}

QChart *newChart(const QString &title)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    QFont font = chart->titleFont();
    font.setPointSize(14);
    font.setBold(true);
    chart->setTitleFont(font);
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->setAnimationOptions(QChart::NoAnimation);
    return chart;
}

} // namespace

ScoreChartPage::ScoreChartPage(ScoreChartKind kind, const ProgressChartData &data, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
{
    QChart *chart = nullptr;
    switch (kind) {
    case ScoreChartKind::Frequency:
        chart = makeFrequencyChart(data);
        break;
    case ScoreChartKind::Distribution:
        chart = makeDistributionChart(data);
        break;
    case ScoreChartKind::Progress:
        chart = makeProgressChart(data);
        break;
    }
    m_view = new DepthChartView(chart, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    if (kind == ScoreChartKind::Distribution) {
        m_totalCaption = new QLabel(tr("习题总数:"), this);
        m_totalCaption->setObjectName(QStringLiteral("chartTotalCaption"));
        m_totalValue = new QLabel(QStringLiteral("0"), this);
        m_totalValue->setObjectName(QStringLiteral("chartTotalValue"));
        for (QLabel *label : { m_totalCaption, m_totalValue }) {
            label->setAttribute(Qt::WA_TranslucentBackground);
            label->raise();
        }
        setQuestionTotal(data.totalQuestions);
    }
}

QChart *ScoreChartPage::chart() const
{
    return m_view->chart();
}

QChart *ScoreChartPage::makeFrequencyChart(const ProgressChartData &data)
{
    QChart *chart = newChart(tr("频 度 统 计 图"));
    // The two series stand at the same places, the wrong answers in front of all answers.
    qint64 largest = 0;
    const std::pair<const QList<ChartPoint> *, std::pair<QString, QColor>> series[] = {
        { &data.answers, { tr("已做题次"), AnswersColour } },
        { &data.wrongAnswers, { tr("做错题次"), WrongColour } },
    };
    for (const auto &[points, look] : series) {
        auto *set = new QBarSet(look.first);
        set->setColor(look.second);
        set->setBorderColor(look.second.darker(130));
        for (const ChartPoint &p : *points) {
            set->append(double(p.value));
            largest = qMax(largest, p.value);
        }
        auto *bars = new QBarSeries(chart);
        bars->setName(look.first);
        bars->append(set);
        bars->setBarWidth(0.6);
        bars->setLabelsVisible(true);
        bars->setLabelsPosition(look.second == WrongColour ? QAbstractBarSeries::LabelsInsideEnd
                                                           : QAbstractBarSeries::LabelsOutsideEnd);
        chart->addSeries(bars);
    }
    addAxes(chart, labelsOf(data.answers), tr("章    节"), tr("题  次"), largest);
    return chart;
}

QChart *ScoreChartPage::makeDistributionChart(const ProgressChartData &data)
{
    QChart *chart = newChart(tr("习题分布统计图"));
    auto *pie = new QPieSeries(chart);
    pie->setName(tr("习题分布"));
    pie->setPieSize(0.62);
    for (const ChartPoint &p : data.distribution) {
        auto *slice = pie->append(p.label, double(p.value));
        slice->setColor(colourOf(p.colour));
        slice->setBorderColor(Qt::white);
    }
    // The slice shows its chapter with its share; the legend only the chapter.
    for (QPieSlice *slice : pie->slices()) {
        const QString chapter = slice->label();
        slice->setLabel(QStringLiteral("%1 %2%").arg(chapter).arg(slice->percentage() * 100, 0, 'f', 1));
        slice->setLabelVisible(true);
    }
    chart->addSeries(pie);
    const QList<QLegendMarker *> markers = chart->legend()->markers(pie);
    for (int i = 0; i < markers.size() && i < data.distribution.size(); ++i)
        markers.at(i)->setLabel(data.distribution.at(i).label);
    return chart;
}

QChart *ScoreChartPage::makeProgressChart(const ProgressChartData &data)
{
    QChart *chart = newChart(tr("进度统计图"));
    // One set per chapter, with a value at its own place only: each bar keeps its chapter's
    // colour and the legend names the chapters.
    auto *bars = new QStackedBarSeries(chart);
    bars->setName(tr("进度"));
    bars->setBarWidth(0.6);
    const qsizetype count = data.progress.size();
    for (qsizetype i = 0; i < count; ++i) {
        const ChartPoint &p = data.progress.at(i);
        auto *set = new QBarSet(p.label);
        set->setColor(colourOf(p.colour));
        set->setBorderColor(colourOf(p.colour).darker(130));
        for (qsizetype k = 0; k < count; ++k)
            set->append(k == i ? double(p.value) : 0.0);
        bars->append(set);
    }
    bars->setLabelsVisible(true);
    bars->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    chart->addSeries(bars);
    addAxes(chart, labelsOf(data.progress), tr("章   节"), tr("进度(%)"), 100);
    return chart;
}

void ScoreChartPage::setLegendAlignment(Qt::Alignment alignment)
{
    m_style.legendAlignment = alignment;
    chart()->legend()->setAlignment(alignment);
    if (m_kind == ScoreChartKind::Distribution) {
        m_totalRaised = alignment == Qt::AlignBottom;
        placeTotal();
    }
}

void ScoreChartPage::setDepth(bool on)
{
    m_style.depth = on;
    m_view->setDepth(on);
}

void ScoreChartPage::setLegendVisible(bool on)
{
    m_style.legendVisible = on;
    chart()->legend()->setVisible(on);
}

void ScoreChartPage::setLabelsVisible(bool on)
{
    m_style.labelsVisible = on;
    for (QAbstractSeries *series : chart()->series()) {
        if (auto *bars = qobject_cast<QAbstractBarSeries *>(series))
            bars->setLabelsVisible(on);
        else if (auto *pie = qobject_cast<QPieSeries *>(series))
            pie->setLabelsVisible(on);
    }
}

void ScoreChartPage::setQuestionTotal(qint64 total)
{
    if (!m_totalValue)
        return;
    m_totalValue->setText(QString::number(total));
    m_totalValue->adjustSize();
}

void ScoreChartPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeTotal();
}

void ScoreChartPage::placeTotal()
{
    if (!m_totalCaption)
        return;
    const int y = height() - TotalFromBottom - (m_totalRaised ? TotalRaise : 0);
    m_totalCaption->adjustSize();
    m_totalCaption->move(24, y);
    m_totalValue->move(24 + m_totalCaption->width() + 6, y);
}

} // namespace vorlane::ui
