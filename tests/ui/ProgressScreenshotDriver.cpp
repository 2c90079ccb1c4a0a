#include "ShellFixture.h"
#include "UiTest.h"

#include "ui/progress/DailyLogWindow.h"
#include "ui/progress/ScoreChartWindow.h"
#include "ui/progress/StudyPlanWindow.h"
#include "ui/shell/Theme.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QRadioButton>
#include <QScreen>

using namespace vorlane;
using namespace vorlane::test;

// A driver for a person, not a test (no ctest entry): with VORLANE_SCREENSHOT_DIR and a real
// display (QT_QPA_PLATFORM=xcb under Xvfb with openbox) it shows every progress window on the
// demo bank, every chart kind with and without depth and both plan states, and saves the screen
// as progress<layout>-<what>.png; the layout follows the screen (800 wide or more):
//   DISPLAY=:16 QT_QPA_PLATFORM=xcb VORLANE_SCREENSHOT_DIR=/tmp/shots vorlane_ui_tests
//   ProgressScreenshotDriver
namespace {

void click(QWidget *parent, const char *name)
{
    auto *button = parent->findChild<QAbstractButton *>(QLatin1String(name));
    QVERIFY2(button, name);
    const bool boxed = qobject_cast<QCheckBox *>(button) || qobject_cast<QRadioButton *>(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, boxed ? QPoint(8, button->height() / 2) : QPoint());
}

// The demo bank with some weeks of practice: chapter counters, log days, answers and papers.
void addPractice(ShellFixture &f)
{
    f.exec(QStringLiteral(
        "UPDATE tab_kmmc SET C4=C3*((bh*7)%10)/10, D1=C3*((bh*7)%10)/4, D2=C3*((bh*3)%10)/20"));
    for (int i = 0; i < 40; ++i)
        f.exec(QStringLiteral("INSERT OR REPLACE INTO tab_rz VALUES (?1, ?2, ?3, ?2, ?3, ?4, ?5)"),
            { f.clock.today().addDays(-i).toString(Qt::ISODate), 20 + (i * 37) % 60, (i * 11) % 15,
                QStringLiteral("00:%1:00").arg(10 + i % 50), QStringLiteral("80.00") });
    f.exec(QStringLiteral("UPDATE tab_answ SET E2=CASE WHEN rowid%4=0 THEN 'Z' ELSE A2 END WHERE rowid%3=0"));
    const double scores[] = { 55, 62, 58, 70, 74 };
    for (int i = 0; i < 5; ++i)
        f.exec(QStringLiteral("INSERT INTO tab_cj (A1, A3_1, A6) VALUES (?1, ?2, ?3)"),
            { QStringLiteral("tab_exam%1").arg(i + 1), i + 1, scores[i] });
}

} // namespace

class ProgressScreenshotDriver : public QObject
{
    Q_OBJECT

private slots:
    void saveScreens()
    {
        const QString folder = qEnvironmentVariable("VORLANE_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("VORLANE_SCREENSHOT_DIR not set");
        ui::applyTheme(*qApp);
        ShellFixture f;
        const QString demo = f.state.appDir + QStringLiteral("data/ZRVTQM602941.db");
        const QString copy = f.dir.filePath(QStringLiteral("demo.db"));
        QVERIFY(QFile::copy(demo, copy));
        f.db = *Database::open(copy, bank::password());
        f.context = std::make_unique<ui::UiContext>(
            ui::UiContext { f.state, *f.db, f.clock, f.prompt, f.progress, f.modal });
        addPractice(f);
        const QSize screen = QGuiApplication::primaryScreen()->size();
        const QString layout = screen.width() <= 800 ? QStringLiteral("800") : QStringLiteral("1024");
        f.state.screenLayout = layout;
        auto shoot = [&](const QString &what) {
            QTest::qWait(400);
            QGuiApplication::primaryScreen()->grabWindow(0).save(
                folder + QStringLiteral("/progress%1-%2.png").arg(layout, what));
        };
        {
            ui::DailyLogWindow log(*f.context);
            log.show();
            shoot(QStringLiteral("log"));
        }
        {
            ui::StudyPlanWindow plan(*f.context);
            plan.show();
            shoot(QStringLiteral("plan"));
            click(&plan, "planSetSave");
            shoot(QStringLiteral("plan-editing"));
            click(&plan, "planExamDateButton");
            shoot(QStringLiteral("plan-calendar"));
            if (QWidget *calendar = plan.findChild<QWidget *>(QStringLiteral("planExamCalendar")))
                calendar->close();
        }
        ui::ScoreChartWindow charts(*f.context);
        charts.show();
        const std::pair<const char *, const char *> kinds[] = { { "chartKindFrequency", "frequency" },
            { "chartKindDistribution", "distribution" }, { "chartKindProgress", "progress" } };
        for (const auto &[radio, name] : kinds) {
            click(&charts, radio);
            shoot(QString::fromLatin1(name));
            click(&charts, "chartDepth");
            shoot(QString::fromLatin1(name) + QStringLiteral("-flat"));
        }
        click(&charts, "chartKindDistribution");
        click(&charts, "chartLegendRight");
        shoot(QStringLiteral("distribution-legend-right"));
        click(&charts, "chartLegendBottom");
        shoot(QStringLiteral("distribution-legend-bottom"));
        charts.close();
        f.exec(QStringLiteral("UPDATE tab_plan SET ExamDate='明年六月'"));
        ui::StudyPlanWindow unknown(*f.context);
        unknown.show();
        shoot(QStringLiteral("plan-unknown-date"));
    }
};

// Registered for running by hand; VORLANE_UI_DRIVER lines are not ctest entries.
VORLANE_UI_DRIVER(ProgressScreenshotDriver)
#include "ProgressScreenshotDriver.moc"
