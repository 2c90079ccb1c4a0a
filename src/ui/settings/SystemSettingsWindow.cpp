#include "ui/settings/SystemSettingsWindow.h"

#include "core/AppState.h"
#include "core/settings/AnswerTimes.h"
#include "ui/shell/BackgroundMusic.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/ShellCommands.h"
#include "ui/shell/Theme.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>

namespace vorlane::ui {

namespace {

constexpr int Width = 364;
constexpr int TitleHeight = 26;
constexpr int MusicFaceHeight = 100;
constexpr int TimesFaceHeight = 170;

QLabel *placedLabel(const QString &text, const char *name, QWidget *parent, int x, int y, int w = 90)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(x, y, w, 20);
    return label;
}

} // namespace

SystemSettingsWindow::SystemSettingsWindow(UiContext &context, bool timesOnly, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_context(context)
    , m_timesOnly(timesOnly)
{
    setObjectName(QStringLiteral("systemSettingsWindow"));
    setWindowTitle(tr("系统设置"));
    m_context.state.examSubject = Subject::ofExam(m_context.state.examSubject).number();

    m_close = new QPushButton(tr("关闭"), this);
    m_close->setObjectName(QStringLiteral("settingsClose"));
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    if (m_timesOnly)
        buildTimesFace();
    else
        buildMusicFace();
}

void SystemSettingsWindow::buildMusicFace()
{
    setFixedSize(Width, TitleHeight + MusicFaceHeight);
    placedLabel(tr("背景音乐"), "musicLabel", this, 16, TitleHeight + 16, 70);
    m_switch = new QPushButton(this);
    m_switch->setObjectName(QStringLiteral("musicSwitch"));
    m_switch->setCheckable(true);
    m_switch->setGeometry(88, TitleHeight + 12, 62, 26);
    m_switch->setStyleSheet(QStringLiteral("QPushButton#musicSwitch { border-radius: 13px; background: "
                                           "#c9c2b2; color: #ffffff; font-weight: bold; }"
                                           "QPushButton#musicSwitch:checked { background: #2f5d8a; }"
                                           "QPushButton#musicSwitch:focus { border: 2px solid #d9a441; }"));
    // The switch opens in the on state, as designed, without starting anything.
    m_switch->setChecked(true);
    m_switch->setText(tr("开"));
    connect(m_switch, &QPushButton::toggled, this, &SystemSettingsWindow::switchToggled);

    placedLabel(tr("声音列表"), "tuneLabel", this, 170, TitleHeight + 16, 70);
    m_tunes = new QComboBox(this);
    m_tunes->setObjectName(QStringLiteral("tuneList"));
    m_tunes->setGeometry(240, TitleHeight + 12, 108, 26);
    for (int n = 1; n <= 6; ++n)
        m_tunes->addItem(QStringLiteral("乐曲%1").arg(n, 2, 10, QLatin1Char('0')));
    m_tunes->model()->sort(0);
    m_tunes->setPlaceholderText(tr("请选择"));
    m_tunes->setCurrentIndex(-1);
    connect(m_tunes, &QComboBox::currentIndexChanged, this, &SystemSettingsWindow::tuneChosen);

    m_close->setGeometry(280, TitleHeight + 60, 68, 26);
}

void SystemSettingsWindow::buildTimesFace()
{
    setFixedSize(Width, TitleHeight + TimesFaceHeight);
    placedLabel(tr("答题时间设置"), "timesLabel", this, 12, TitleHeight + 1, 200)
        ->setStyleSheet(QStringLiteral("color: #1e3f61; font-weight: bold;"));
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("timesArea"));
    m_scroll->setGeometry(8, TitleHeight + 22, Width - 16, 110);
    m_scroll->setWidgetResizable(true);
    auto *rows = new QWidget;
    rows->setObjectName(QStringLiteral("timesRows"));
    rows->setStyleSheet(QStringLiteral("QWidget#timesRows { background: white; }"));

    const Result<QList<TypeTime>> types = loadTypeTimes(m_context.db, m_context.state.examSubject);
    const QList<TypeTime> list = types ? types.value() : QList<TypeTime>();
    for (qsizetype r = 0; r < list.size(); ++r) {
        const int top = static_cast<int>(r) * 20;
        auto *name = new QLabel(list.at(r).name, rows);
        name->setGeometry(16, top + 4, 82, 20);
        auto *edit = new QDoubleSpinBox(rows);
        edit->setObjectName(QStringLiteral("answerMinutesEdit%1").arg(r + 1));
        edit->setDecimals(1);
        edit->setRange(MinAnswerMinutes, MaxAnswerMinutes);
        edit->setSingleStep(0.5);
        edit->setButtonSymbols(QAbstractSpinBox::NoButtons);
        edit->setAlignment(Qt::AlignRight);
        edit->setValue(list.at(r).minutes);
        edit->setProperty("typeId", list.at(r).typeId);
        // The edit shows one decimal and rounds what it holds; the bank's own value is kept
        // until the user changes the time.
        edit->setProperty("minutes", list.at(r).minutes);
        connect(edit, &QDoubleSpinBox::valueChanged, edit, [edit] { edit->setProperty("edited", true); });
        edit->setGeometry(100, top + 4, 44, 19);
        auto *unit = new QLabel(tr("分钟"), rows);
        unit->setGeometry(150, top + 4, 40, 20);
        m_edits.append(edit);
    }
    // The rows are placed by hand, so the area learns their height from this minimum.
    rows->setMinimumSize(200, static_cast<int>(list.size()) * 20 + 8);
    m_scroll->setWidget(rows);

    m_close->setGeometry(280, TitleHeight + 137, 68, 26);
}

void SystemSettingsWindow::switchToggled(bool on)
{
    AppState &state = m_context.state;
    m_switch->setText(on ? tr("开") : tr("关"));
    state.musicOn = on;
    if (on && m_tunes->currentIndex() < 0)
        state.musicFile = state.appDir + QStringLiteral("sound/乐曲01.mid");
    if (m_context.music)
        m_context.music->playBackgroundMusic(state.musicFile, on ? 1 : 0);
}

void SystemSettingsWindow::tuneChosen(int index)
{
    if (index < 0)
        return;
    AppState &state = m_context.state;
    state.musicFile = state.appDir + QStringLiteral("sound/") + m_tunes->itemText(index).trimmed()
        + QStringLiteral(".mid");
    if (m_context.music)
        m_context.music->playBackgroundMusic(state.musicFile, m_switch->isChecked() ? 1 : 0);
}

void SystemSettingsWindow::saveTimes()
{
    QList<TypeTime> times;
    for (const QDoubleSpinBox *edit : std::as_const(m_edits)) {
        TypeTime time;
        time.typeId = edit->property("typeId").toInt();
        time.edited = edit->property("edited").toBool();
        time.minutes = time.edited ? edit->value() : edit->property("minutes").toDouble();
        times.append(time);
    }
    const Status saved
        = saveTypeTimes(m_context.db, m_context.state.examSubject, times, m_context.state.answerTimeTable);
    if (!saved)
        m_context.prompt.ask(tr("错误"), tr("保存设置失败！"), PromptDialog::Single, PromptDialog::Error,
            QStringLiteral("No"));
}

void SystemSettingsWindow::done(int result)
{
    if (m_timesOnly && !m_closing) {
        m_closing = true;
        saveTimes();
    }
    QDialog::done(result);
}

void SystemSettingsWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(theme::Paper));
    const QRect band(0, 0, width(), TitleHeight);
    QLinearGradient gradient(band.topLeft(), band.bottomLeft());
    gradient.setColorAt(0, QColor(0x3d6f9f));
    gradient.setColorAt(1, QColor(theme::NavyDark));
    p.fillRect(band, gradient);
    p.setPen(Qt::white);
    QFont font = this->font();
    font.setBold(true);
    p.setFont(font);
    p.drawText(band.adjusted(10, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, windowTitle());
    p.setPen(QColor(theme::NavyDark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void openSystemSettings(UiContext &context, QWidget *parent, bool timesOnly)
{
    SystemSettingsWindow window(context, timesOnly, parent);
    context.modal.run(window);
}

} // namespace vorlane::ui
