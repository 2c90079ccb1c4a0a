#include "ui/progress/ScoreChartPage.h"

#include "ui/progress/DepthChartView.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QGridLayout>
#include <QLabel>
#include <QLegend>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <cmath>

namespace vorlane::ui {

namespace {

const QColor AnswersColour(0, 128, 0);
const QColor WrongColour(255, 0, 0);

// The total stands in the chart's lower left corner, in a band the pie leaves free; a legend at
// the bottom lifts the chart and the total with it.
constexpr int TotalBand = 30;

QColor colourOf(const ChartColour &c)
{
    return QColor(c.red, c.green, c.blue);
}

// White on dark bars, black on light ones.
QColor labelColourOn(const QColor &bar)
{
    return qGray(bar.rgb()) < 140 ? QColor(Qt::white) : QColor(Qt::black);
}

QList<std::pair<QColor, QString>> entriesOf(const QList<ChartPoint> &points)
{
    QList<std::pair<QColor, QString>> entries;
    for (const ChartPoint &p : points)
        entries.append({ colourOf(p.colour), p.label });
    return entries;
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
    // Qt Charts writes its legend in one row and cuts the names short when they do not fit;
    // the page shows a legend of its own that wraps instead.
    chart->legend()->hide();
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
    m_view->setObjectName(QStringLiteral("chartView"));
    m_view->setValueLabels(m_frequencyLabels);
    m_legend = new QLabel(this);
    m_legend->setObjectName(QStringLiteral("chartLegendPanel"));
    m_legend->setTextFormat(Qt::RichText);
    m_legend->setContentsMargins(8, 4, 8, 4);
    QFont legendFont = m_legend->font();
    legendFont.setPointSize(9);
    m_legend->setFont(legendFont);
    // The page is the picture that is printed and saved: white all over.
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    m_legend->setPalette(white);
    m_grid = new QGridLayout(this);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setSpacing(0);
    m_grid->addWidget(m_view, 1, 1);
    m_grid->setRowStretch(1, 1);
    m_grid->setColumnStretch(1, 1);
    switch (kind) {
    case ScoreChartKind::Frequency:
        setLegendEntries({ { AnswersColour, tr("已做题次") }, { WrongColour, tr("做错题次") } });
        break;
    case ScoreChartKind::Distribution:
        setLegendEntries(entriesOf(data.distribution));
        break;
    case ScoreChartKind::Progress:
        setLegendEntries(entriesOf(data.progress));
        break;
    }

    if (kind == ScoreChartKind::Distribution) {
        m_totalCaption = new QLabel(tr("习题总数:"), m_view);
        m_totalCaption->setObjectName(QStringLiteral("chartTotalCaption"));
        m_totalValue = new QLabel(QStringLiteral("0"), m_view);
        m_totalValue->setObjectName(QStringLiteral("chartTotalValue"));
        for (QLabel *label : { m_totalCaption, m_totalValue }) {
            label->setAttribute(Qt::WA_TranslucentBackground);
            label->raise();
        }
        setQuestionTotal(data.totalQuestions);
        QMargins margins = chart->margins();
        margins.setBottom(margins.bottom() + TotalBand);
        chart->setMargins(margins);
        m_view->installEventFilter(this);
    }
}

QChart *ScoreChartPage::chart() const
{
    return m_view->chart();
}

QChart *ScoreChartPage::makeFrequencyChart(const ProgressChartData &data)
{
    QChart *chart = newChart(tr("频 度 统 计 图"));
    // Qt Charts puts separate bar series side by side, so the wrong answers and the rest of the
    // answers are stacked in one series: the red bar of the wrong answers stands in front of the
    // green bar of all answers, whose top is at D1. The view writes D1 and D2 as the labels.
    auto *wrong = new QBarSet(tr("做错题次"));
    wrong->setColor(WrongColour);
    wrong->setBorderColor(WrongColour.darker(130));
    auto *answers = new QBarSet(tr("已做题次"));
    answers->setColor(AnswersColour);
    answers->setBorderColor(AnswersColour.darker(130));
    qint64 largest = 0;
    for (qsizetype i = 0; i < data.answers.size(); ++i) {
        const qint64 all = data.answers.at(i).value;
        const qint64 wrongAnswers = data.wrongAnswers.value(i).value;
        wrong->append(double(wrongAnswers));
        answers->append(double(qMax<qint64>(0, all - wrongAnswers)));
        largest = qMax(largest, qMax(all, wrongAnswers));
    }
    auto *bars = new QStackedBarSeries(chart);
    bars->setName(tr("频度"));
    bars->append(wrong);
    bars->append(answers);
    bars->setBarWidth(0.6);
    chart->addSeries(bars);
    addAxes(chart, labelsOf(data.answers), tr("章    节"), tr("题  次"), largest);

    QList<DepthChartView::ValueLabel> labels;
    for (qsizetype i = 0; i < data.answers.size(); ++i) {
        const qint64 all = data.answers.at(i).value;
        labels.append({ bars, QPointF(double(i), double(qMax(all, data.wrongAnswers.value(i).value))),
            QString::number(all), QColor(Qt::black), false });
    }
    for (qsizetype i = 0; i < data.wrongAnswers.size(); ++i) {
        const qint64 value = data.wrongAnswers.at(i).value;
        if (value > 0)
            labels.append({ bars, QPointF(double(i), double(value)), QString::number(value), WrongColour,
                true, double(data.answers.value(i).value) });
    }
    m_frequencyLabels = labels;
    connect(bars, &QStackedBarSeries::hovered, this, [this, data](bool on, int index) {
        setToolTip(on && index < data.answers.size() ? tr("%1\n已做题次：%2\n做错题次：%3")
                                                           .arg(data.answers.at(index).label)
                                                           .arg(data.answers.at(index).value)
                                                           .arg(data.wrongAnswers.value(index).value)
                                                     : QString());
    });
    return chart;
}

QChart *ScoreChartPage::makeDistributionChart(const ProgressChartData &data)
{
    QChart *chart = newChart(tr("习题分布统计图"));
    auto *pie = new QPieSeries(chart);
    pie->setName(tr("习题分布"));
    pie->setPieSize(DepthChartView::PieSize);
    for (const ChartPoint &p : data.distribution) {
        auto *slice = pie->append(p.label, double(p.value));
        slice->setColor(colourOf(p.colour));
        slice->setBorderColor(Qt::white);
    }
    // The slice shows its chapter with its share; the legend only the chapter.
    chart->addSeries(pie);
    // The view writes the labels: the chapter with its share.
    for (QPieSlice *slice : pie->slices())
        slice->setLabel(
            QStringLiteral("%1 %2%").arg(slice->label()).arg(slice->percentage() * 100, 0, 'f', 1));
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
        set->setLabelColor(labelColourOn(colourOf(p.colour)));
        for (qsizetype k = 0; k < count; ++k)
            set->append(k == i ? double(p.value) : 0.0);
        bars->append(set);
    }
    bars->setLabelsVisible(true);
    bars->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    chart->addSeries(bars);
    addAxes(chart, labelsOf(data.progress), tr("章   节"), tr("进度(%)"), 100);
    if (auto *left = qobject_cast<QValueAxis *>(chart->axes(Qt::Vertical).value(0))) {
        left->setRange(0, 100);
        left->setTickCount(6);
    }
    return chart;
}

void ScoreChartPage::setLegendAlignment(Qt::Alignment alignment)
{
    m_style.legendAlignment = alignment;
    placeLegend();
    if (m_kind == ScoreChartKind::Distribution) {
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
    m_legend->setVisible(on);
}

void ScoreChartPage::setLabelsVisible(bool on)
{
    m_style.labelsVisible = on;
    m_view->setValueLabelsVisible(on);
    for (QAbstractSeries *series : chart()->series()) {
        if (m_kind == ScoreChartKind::Frequency)
            break; // the view writes these values itself
        if (auto *bars = qobject_cast<QAbstractBarSeries *>(series))
            bars->setLabelsVisible(on);
    }
}

void ScoreChartPage::setQuestionTotal(qint64 total)
{
    if (!m_totalValue)
        return;
    m_totalValue->setText(QString::number(total));
    m_totalValue->adjustSize();
}

void ScoreChartPage::setLegendEntries(const QList<std::pair<QColor, QString>> &entries)
{
    m_legendEntries = entries;
    placeLegend();
}

void ScoreChartPage::placeLegend()
{
    const Qt::Alignment alignment = m_style.legendAlignment;
    const bool across = alignment == Qt::AlignTop || alignment == Qt::AlignBottom;
    m_grid->removeWidget(m_legend);
    switch (alignment) {
    case Qt::AlignBottom:
        m_grid->addWidget(m_legend, 2, 1);
        break;
    case Qt::AlignLeft:
        m_grid->addWidget(m_legend, 1, 0);
        break;
    case Qt::AlignRight:
        m_grid->addWidget(m_legend, 1, 2);
        break;
    default:
        m_grid->addWidget(m_legend, 0, 1);
        break;
    }
    m_legend->setMaximumWidth(across ? QWIDGETSIZE_MAX : 220);
    m_legend->setAlignment(across ? Qt::AlignHCenter | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
    fillLegend();
}

void ScoreChartPage::fillLegend()
{
    const Qt::Alignment alignment = m_style.legendAlignment;
    const bool across = alignment == Qt::AlignTop || alignment == Qt::AlignBottom;
    // A coloured square and the name are never parted: across the page the lines are broken
    // between entries only, at the sides every entry has a line of its own.
    const QFontMetrics metrics(m_legend->font());
    const int room = qMax(100, width() - 24);
    const int gap = metrics.horizontalAdvance(QStringLiteral("\u3000\u3000"));
    QStringList lines;
    QString line;
    int used = 0;
    for (const auto &[colour, name] : m_legendEntries) {
        const QString entry
            = QStringLiteral("<span style=\"color:%1\">&#9632;</span>&nbsp;%2")
                  .arg(colour.name(), name.toHtmlEscaped().replace(u' ', QStringLiteral("&nbsp;")));
        const int width = metrics.horizontalAdvance(QStringLiteral("\u25a0 ") + name);
        if (!line.isEmpty() && (!across || used + gap + width > room)) {
            lines << line;
            line.clear();
            used = 0;
        }
        line += (line.isEmpty() ? QString() : QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;")) + entry;
        used += (used ? gap : 0) + width;
    }
    if (!line.isEmpty())
        lines << line;
    m_legend->setText(lines.join(QStringLiteral("<br>")));
}

QImage ScoreChartPage::picture()
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderTo(painter, QRectF(image.rect()));
    return image;
}

void ScoreChartPage::renderTo(QPainter &painter, const QRectF &target)
{
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / width(), target.height() / height());
    painter.setRenderHint(QPainter::Antialiasing);
    render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.restore();
}

void ScoreChartPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fillLegend();
    placeTotal();
}

void ScoreChartPage::placeTotal()
{
    if (!m_totalCaption)
        return;
    const int y = m_view->height() - TotalBand + 4;
    m_totalCaption->adjustSize();
    m_totalValue->adjustSize();
    m_totalCaption->move(24, y);
    m_totalValue->move(24 + m_totalCaption->width() + 6, y);
}

bool ScoreChartPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::Resize)
        placeTotal();
    return QWidget::eventFilter(watched, event);
}

} // namespace vorlane::ui
