#include "ui/progress/StudyPlanWindow.h"

#include "core/AppState.h"
#include "core/Clock.h"
#include "core/progress/Readiness.h"
#include "core/progress/StudyPlan.h"
#include "ui/progress/ExamDateBox.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QButtonGroup>
#include <QChartView>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <QValueAxis>

namespace vorlane::ui {

namespace {

const QColor AheadColour(100, 203, 37);
const QColor UrgentColour(255, 0, 0);

QLineEdit *makeTargetEdit(const char *name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(3);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), edit));
    edit->setFixedWidth(52);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

} // namespace

StudyPlanWindow::StudyPlanWindow(UiContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("studyPlanWindow"));
    setWindowTitle(tr("学习计划"));
    const bool compact = context.state.compactLayout();
    resize(compact ? QSize(640, 540) : QSize(720, 640));

    m_examDate = new ExamDateBox(this);
    auto *dateRow = new QHBoxLayout;
    dateRow->addWidget(new QLabel(tr("考试日："), this));
    dateRow->addWidget(m_examDate);
    dateRow->addStretch();

    m_setSave = new QPushButton(tr("设定"), this);
    m_setSave->setObjectName(QStringLiteral("planSetSave"));
    m_setSave->setAutoDefault(false);
    auto *close = new QPushButton(tr("关闭"), this);
    close->setObjectName(QStringLiteral("planClose"));
    close->setAutoDefault(false);
    connect(m_setSave, &QPushButton::clicked, this, [this] { setOrSave(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_setSave);
    buttons->addWidget(close);

    auto *readinessGroup = new QGroupBox(tr("离考试还差多少"), this);
    readinessGroup->setObjectName(QStringLiteral("planReadinessGroup"));
    m_readiness = new QLabel(readinessGroup);
    m_readiness->setObjectName(QStringLiteral("planReadiness"));
    m_readiness->setWordWrap(true);
    m_readiness->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_readinessChart = new QChartView(new QChart, readinessGroup);
    m_readinessChart->setObjectName(QStringLiteral("planReadinessChart"));
    m_readinessChart->setRenderHint(QPainter::Antialiasing);
    m_readinessChart->setMinimumHeight(compact ? 150 : 190);
    auto *readinessLayout = new QVBoxLayout(readinessGroup);
    readinessLayout->addWidget(m_readiness);
    readinessLayout->addWidget(m_readinessChart, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(makeCountdown());
    layout->addLayout(dateRow);
    layout->addWidget(makeModeGroup());
    layout->addWidget(readinessGroup, 1);
    layout->addLayout(buttons);

    loadPlan();
    showReadiness();
}

QWidget *StudyPlanWindow::makeCountdown()
{
    auto *box = new QWidget(this);
    m_countdownCaption = new QLabel(box);
    m_countdownCaption->setObjectName(QStringLiteral("planCountdownCaption"));
    m_days = new QLabel(box);
    m_days->setObjectName(QStringLiteral("planDays"));
    m_daysUnit = new QLabel(tr("天"), box);
    m_daysUnit->setObjectName(QStringLiteral("planDaysUnit"));
    QFont captionFont = m_countdownCaption->font();
    captionFont.setPointSize(18);
    captionFont.setBold(true);
    m_countdownCaption->setFont(captionFont);
    m_daysUnit->setFont(captionFont);
    QFont digits = m_days->font();
    digits.setPointSize(m_context.state.compactLayout() ? 32 : 40);
    digits.setBold(true);
    m_days->setFont(digits);
    auto *layout = new QHBoxLayout(box);
    layout->addStretch();
    layout->addWidget(m_countdownCaption, 0, Qt::AlignVCenter);
    layout->addWidget(m_days, 0, Qt::AlignVCenter);
    layout->addWidget(m_daysUnit, 0, Qt::AlignVCenter);
    layout->addStretch();
    box->setMinimumHeight(m_days->fontMetrics().height() + 8);
    return box;
}

QGroupBox *StudyPlanWindow::makeModeGroup()
{
    m_modeGroup = new QGroupBox(tr("学习计划"), this);
    m_modeGroup->setObjectName(QStringLiteral("planMode"));
    m_modes = new QButtonGroup(this);
    m_amount = makeTargetEdit("planAmount", m_modeGroup);
    m_minutes = makeTargetEdit("planMinutes", m_modeGroup);
    auto *grid = new QGridLayout(m_modeGroup);
    const std::tuple<QString, const char *, QLineEdit *, QString> items[] = {
        { tr("按作题数量制定学习计划"), "planByAnswers", m_amount, tr("道题") },
        { tr("按作题时间制定学习计划"), "planByMinutes", m_minutes, tr("分钟") },
    };
    int row = 0;
    for (const auto &[caption, name, edit, unit] : items) {
        auto *radio = new QRadioButton(caption, m_modeGroup);
        radio->setObjectName(QLatin1String(name));
        m_modes->addButton(radio, row);
        grid->addWidget(radio, row, 0);
        grid->addWidget(new QLabel(tr("每天"), m_modeGroup), row, 1);
        grid->addWidget(edit, row, 2);
        grid->addWidget(new QLabel(unit, m_modeGroup), row, 3);
        ++row;
    }
    grid->setColumnStretch(4, 1);
    grid->setColumnMinimumWidth(0, 200);
    connect(m_modes, &QButtonGroup::idClicked, this, [this](int mode) { selectMode(mode); });
    return m_modeGroup;
}

void StudyPlanWindow::loadPlan()
{
    const Result<StudyPlan> plan = readStudyPlan(m_context.db);
    if (!plan) {
        m_context.prompt.ask(tr("错误"), plan.reason(), PromptDialog::Single, PromptDialog::Error);
        showCountdown(QString());
        return;
    }
    m_amount->setText(QString::number(plan->planAmount));
    m_minutes->setText(QString::number(plan->planTime));
    m_examDate->setText(plan->examDateText);
    if (QAbstractButton *mode = m_modes->button(plan->planMark))
        mode->setChecked(true);
    // Viewing: date and mode wait for "设定"; both target boxes start enabled.
    m_examDate->setEnabled(false);
    setModeEnabled(false);
    m_amount->setEnabled(true);
    m_minutes->setEnabled(true);
    showCountdown(plan->examDateText);
}

void StudyPlanWindow::showCountdown(const QString &dateText)
{
    const Countdown countdown = countdownFor(parseExamDate(dateText), m_context.clock.today());
    m_countdownCaption->setText(countdown.caption);
    m_days->setText(countdown.number);
    m_days->setVisible(countdown.showsNumber());
    m_daysUnit->setVisible(countdown.showsNumber());
    QPalette palette = m_days->palette();
    palette.setColor(QPalette::WindowText, countdown.urgent ? UrgentColour : AheadColour);
    m_days->setPalette(palette);
}

void StudyPlanWindow::setModeEnabled(bool on)
{
    // The target boxes sit in the group but keep their own state, so only the choices switch.
    for (QAbstractButton *mode : m_modes->buttons())
        mode->setEnabled(on);
}

void StudyPlanWindow::selectMode(int mode)
{
    QLineEdit *chosen = mode == StudyPlan::ByMinutes ? m_minutes : m_amount;
    QLineEdit *other = chosen == m_amount ? m_minutes : m_amount;
    chosen->setEnabled(true);
    other->setEnabled(false);
    chosen->setFocus();
}

void StudyPlanWindow::setOrSave()
{
    const int mode = m_modes->checkedId();
    if (!m_editing) {
        m_editing = true;
        m_setSave->setText(tr("保存"));
        m_examDate->setEnabled(true);
        setModeEnabled(true);
        if (mode >= 0)
            (mode == StudyPlan::ByMinutes ? m_minutes : m_amount)->setEnabled(true);
        return;
    }
    const Status saved
        = saveStudyPlan(m_context.db, { mode, m_amount->text(), m_minutes->text(), m_examDate->text() });
    if (!saved) {
        // Still editing, so the user can mend what was refused.
        m_context.prompt.ask(tr("提示"), saved.reason(), PromptDialog::Single, PromptDialog::Information);
        m_examDate->edit()->setFocus();
        return;
    }
    m_editing = false;
    m_setSave->setText(tr("设定"));
    m_examDate->setEnabled(false);
    setModeEnabled(false);
    const Result<StudyPlan> stored = readStudyPlan(m_context.db);
    if (stored)
        m_examDate->setText(stored->examDateText);
    showCountdown(m_examDate->text());
    showReadiness();
}

void StudyPlanWindow::showReadiness()
{
    const Result<Readiness> readiness = readReadiness(m_context.db, m_context.clock.today());
    if (!readiness) {
        m_readiness->setText(tr("无法读取学习进度。"));
        return;
    }
    m_readiness->setText(readiness->sentences().join(QLatin1Char('\n')));
    fillReadinessChart(*readiness);
}

void StudyPlanWindow::fillReadinessChart(const Readiness &readiness)
{
    QChart *chart = m_readinessChart->chart();
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes())
        chart->removeAxis(axis);
    const QDate today = m_context.clock.today();
    const QDate first = today.addDays(1 - Readiness::PaceDays);
    chart->setTitle(tr("最近 %1 天每天做题道次（%2月%3日至%4月%5日）")
                        .arg(Readiness::PaceDays)
                        .arg(first.month())
                        .arg(first.day())
                        .arg(today.month())
                        .arg(today.day()));
    chart->setMargins(QMargins(4, 2, 4, 2));
    chart->legend()->setAlignment(Qt::AlignRight);

    auto *set = new QBarSet(tr("每天做题"));
    set->setColor(QColor(70, 110, 190));
    QStringList days;
    qint64 largest = 0;
    for (int i = 0; i < readiness.dailyAnswers.size(); ++i) {
        const qint64 answers = readiness.dailyAnswers.at(i);
        set->append(double(answers));
        largest = qMax(largest, answers);
        const QDate day = today.addDays(i + 1 - readiness.dailyAnswers.size());
        // Day numbers under the bars; the title names the fortnight.
        days << QString::number(day.day());
    }
    auto *bars = new QBarSeries(chart);
    bars->append(set);
    bars->setBarWidth(0.7);
    chart->addSeries(bars);

    auto *axisX = new QBarCategoryAxis(chart);
    axisX->append(days);
    QFont small = axisX->labelsFont();
    small.setPointSize(8);
    axisX->setLabelsFont(small);
    auto *axisY = new QValueAxis(chart);
    axisY->setLabelFormat(QStringLiteral("%d"));
    axisY->setLabelsFont(small);
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    bars->attachAxis(axisX);
    bars->attachAxis(axisY);

    // The pace that would still see every question before the exam, as a line across.
    if (readiness.neededPerDay && readiness.neverAnswered > 0) {
        auto *needed = new QLineSeries(chart);
        needed->setName(tr("考前做完所需"));
        needed->setPen(QPen(QColor(220, 40, 40), 2, Qt::DashLine));
        const double value = double(*readiness.neededPerDay);
        needed->append(-0.5, value);
        needed->append(readiness.dailyAnswers.size() - 0.5, value);
        chart->addSeries(needed);
        needed->attachAxis(axisY);
        // The line spans the bars' categories on a hidden axis of its own.
        auto *lineX = new QValueAxis(chart);
        lineX->setRange(-0.5, readiness.dailyAnswers.size() - 0.5);
        lineX->setVisible(false);
        chart->addAxis(lineX, Qt::AlignBottom);
        needed->attachAxis(lineX);
        largest = qMax<qint64>(largest, *readiness.neededPerDay);
    }
    axisY->setRange(0, qMax<double>(5, largest * 1.15));
    axisY->applyNiceNumbers();
    axisY->setTickCount(m_context.state.compactLayout() ? 3 : 5);
}

} // namespace vorlane::ui
