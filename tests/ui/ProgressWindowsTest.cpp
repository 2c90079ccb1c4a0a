#include "ShellFixture.h"
#include "UiTest.h"

#include "core/progress/QuitPlan.h"
#include "core/progress/StudyPlan.h"
#include "ui/progress/DailyLogWindow.h"
#include "ui/progress/DepthChartView.h"
#include "ui/progress/ProgressCommands.h"
#include "ui/progress/ScoreChartWindow.h"
#include "ui/progress/StudyPlanWindow.h"

#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/ModalRunner.h"

#include <QBarSet>
#include <QCalendarWidget>
#include <QChart>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedBarSeries>
#include <QTableView>

using namespace vorlane;
using namespace vorlane::test;

namespace {

template <typename T> T *child(QWidget *parent, const char *name)
{
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found)
        qWarning("no child %s", name);
    return found;
}

void click(QWidget *parent, const char *name)
{
    auto *button = child<QAbstractButton>(parent, name);
    QVERIFY(button);
    // Check boxes and radio buttons take clicks on their box and text, not on the empty width
    // a layout gives them: click their box.
    const bool boxed = qobject_cast<QCheckBox *>(button) || qobject_cast<QRadioButton *>(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, boxed ? QPoint(8, button->height() / 2) : QPoint());
}

QString labelText(QWidget *parent, const char *name)
{
    QLabel *label = child<QLabel>(parent, name);
    return label ? label->text() : QString();
}

bool isChecked(QWidget *parent, const char *name)
{
    auto *button = child<QAbstractButton>(parent, name);
    return button && button->isChecked();
}

QVariantList planRow(ShellFixture &f)
{
    Statement row = f.db->prepare(QStringLiteral("SELECT * FROM tab_plan"));
    QVariantList values;
    while (row.next())
        for (int column = 0; column < row.columnCount(); ++column)
            values << row.value(column);
    return values;
}

// Three charted chapters: 40 questions with 13 answered, one without questions, and 10 all done.
void addChapters(ShellFixture &f)
{
    f.exec(QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C2, C3, C4, D1, D2, C7) VALUES "
                          "(1, '1010', '第一章 总则', 40, 13, 52, 20, '0'), "
                          "(2, '1020', '第二章 空', 0, 0, 0, 0, '0'), "
                          "(3, '1030', '第三章 仓储', 10, 10, 31, 4, '0'), "
                          "(4, '1', '科目一', 50, 23, 83, 24, NULL)"));
}

} // namespace

class ProgressWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void logShowsNewestFirstWithTotals()
    {
        ShellFixture f;
        {
            ui::DailyLogWindow empty(*f.context);
            QCOMPARE(labelText(&empty, "logTotalAnswers"), QStringLiteral("0"));
            QCOMPARE(labelText(&empty, "logTotalWrong"), QStringLiteral("0"));
            QCOMPARE(labelText(&empty, "logTotalScore"), QStringLiteral("0"));
        }
        f.exec(QStringLiteral("INSERT INTO tab_rz VALUES ('2026-12-08', 2, 1, 2, 1, '00:10:00', '50.00')"));
        f.exec(QStringLiteral("INSERT INTO tab_rz VALUES ('2026-12-09', 1, 0, 1, 0, '01:02:03', '100.00')"));
        ui::DailyLogWindow window(*f.context);
        QCOMPARE(labelText(&window, "logTotalAnswers"), QStringLiteral("3"));
        QCOMPARE(labelText(&window, "logTotalWrong"), QStringLiteral("1"));
        QCOMPARE(labelText(&window, "logTotalScore"), QStringLiteral("66.67"));
        auto *grid = child<QTableView>(&window, "dailyLogGrid");
        QVERIFY(grid);
        QAbstractItemModel *model = grid->model();
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("日期"));
        QCOMPARE(model->headerData(6, Qt::Horizontal).toString(), QStringLiteral("平均成绩"));
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("2026-12-09"));
        QCOMPARE(model->index(0, 5).data().toString(), QStringLiteral("01:02:03"));
        QCOMPARE(model->index(1, 6).data().toString(), QStringLiteral("50.00"));
        for (int column : { 5, 6 })
            QVERIFY(
                model->index(0, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
        QVERIFY(!(model->index(0, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight));
    }

    void menuWordsOpenTheWindows()
    {
        ShellFixture f;
        f.exec(QStringLiteral("INSERT INTO tab_plan VALUES (0, 50, 60, '2027-06-12', 60, 7200)"));
        QWidget menu;
        menu.setObjectName(QStringLiteral("menuWindow"));
        ui::CommandDispatcher dispatcher;
        ui::addProgressCommands(dispatcher, *f.context, &menu);
        QStringList seen;
        f.modal.setDriver([&](QDialog &dialog) {
            seen << dialog.objectName();
            // Both settings buttons open the full settings, owned by their window.
            if (auto *settings = dialog.findChild<QPushButton *>(QStringLiteral("logSettings")))
                QTest::mouseClick(settings, Qt::LeftButton);
            if (auto *settings = dialog.findChild<QPushButton *>(QStringLiteral("chartSettings")))
                QTest::mouseClick(settings, Qt::LeftButton);
        });
        for (const char *word : { "rz", "szjh", "tj" })
            QVERIFY2(dispatcher.dispatch(QString::fromLatin1(word)), word);
        QCOMPARE(seen.value(0), QStringLiteral("dailyLogWindow"));
        QCOMPARE(seen.value(2), QStringLiteral("studyPlanWindow"));
        QCOMPARE(seen.value(3), QStringLiteral("scoreChartWindow"));
        QStringList owners;
        for (const ui::ModalRunner::Opened &opened : f.modal.opened())
            owners << opened.name + QLatin1Char('<') + opened.ownerName;
        QCOMPARE(owners.value(0), QStringLiteral("dailyLogWindow<menuWindow"));
        QVERIFY2(owners.value(1).endsWith(QStringLiteral("<dailyLogWindow")), qPrintable(owners.join(u' ')));
        QVERIFY2(
            owners.value(4).endsWith(QStringLiteral("<scoreChartWindow")), qPrintable(owners.join(u' ')));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void planSetThenCloseStoresNothing()
    {
        ShellFixture f;
        f.exec(QStringLiteral("INSERT INTO tab_plan VALUES (0, 50, 60, '2027-06-12', 60, 7200)"));
        const QVariantList before = planRow(f);
        ui::StudyPlanWindow window(*f.context);
        window.show();
        QVERIFY(!child<QWidget>(&window, "planExamDate")->isEnabled());
        QVERIFY(!child<QWidget>(&window, "planByAnswers")->isEnabled());
        QVERIFY(!child<QWidget>(&window, "planByMinutes")->isEnabled());
        QVERIFY(child<QWidget>(&window, "planAmount")->isEnabled());
        QVERIFY(child<QWidget>(&window, "planMinutes")->isEnabled());
        QVERIFY(isChecked(&window, "planByAnswers"));
        QCOMPARE(labelText(&window, "planCountdownCaption"), QStringLiteral("距离考试还有"));
        QCOMPARE(labelText(&window, "planDays"), QStringLiteral("184"));

        click(&window, "planSetSave");
        QCOMPARE(child<QPushButton>(&window, "planSetSave")->text(), QStringLiteral("保存"));
        QVERIFY(child<QWidget>(&window, "planExamDate")->isEnabled());
        QVERIFY(child<QWidget>(&window, "planByAnswers")->isEnabled());
        // Choosing a mode switches which target can be typed.
        click(&window, "planByMinutes");
        QVERIFY(child<QWidget>(&window, "planMinutes")->isEnabled());
        QVERIFY(!child<QWidget>(&window, "planAmount")->isEnabled());
        child<QLineEdit>(&window, "planMinutes")->setText(QStringLiteral("15"));
        child<QLineEdit>(&window, "planExamDate")->setText(QStringLiteral("2027-01-01"));
        click(&window, "planClose");
        QVERIFY(!window.isVisible());
        QCOMPARE(planRow(f), before);
    }

    void planSaveStoresBothTargetsForTheQuitCheck()
    {
        ShellFixture f;
        f.exec(QStringLiteral("INSERT INTO tab_plan VALUES (0, 50, 60, '2027-06-12', 75, 5400)"));
        f.exec(QStringLiteral("INSERT INTO tab_rz (A1, A2, D1) VALUES ('2026-12-10', 80, '00:40:00')"));
        ui::StudyPlanWindow window(*f.context);
        window.show();
        click(&window, "planSetSave");
        click(&window, "planByMinutes");
        QTest::keyClicks(child<QLineEdit>(&window, "planMinutes"), QStringLiteral("45"), Qt::NoModifier);
        QCOMPARE(
            child<QLineEdit>(&window, "planMinutes")->text(), QStringLiteral("604")); // three digits at most
        child<QLineEdit>(&window, "planMinutes")->setText(QStringLiteral("45"));
        child<QLineEdit>(&window, "planExamDate")->setText(QStringLiteral("2026-12-17"));
        click(&window, "planSetSave");
        QCOMPARE(child<QPushButton>(&window, "planSetSave")->text(), QStringLiteral("设定"));
        QVERIFY(!child<QWidget>(&window, "planExamDate")->isEnabled());
        QCOMPARE(planRow(f), (QVariantList { 1, 50, 45, QStringLiteral("2026-12-17"), 75, 5400 }));
        // Seven days left: the number turns red.
        QCOMPARE(labelText(&window, "planDays"), QStringLiteral("7"));
        QCOMPARE(
            child<QLabel>(&window, "planDays")->palette().color(QPalette::WindowText), QColor(255, 0, 0));

        const Result<QuitPlanCheck> check = checkQuitPlan(*f.db, f.clock.today());
        QVERIFY(check.ok());
        QCOMPARE(check->target, 45);
        QCOMPARE(check->achieved, 40);
        QCOMPARE(check->outcome, QuitPlanOutcome::Below);
    }

    void planRefusesADateThatIsNotADate()
    {
        ShellFixture f;
        f.exec(QStringLiteral("INSERT INTO tab_plan VALUES (0, 50, 60, '下个月', 60, 7200)"));
        const QVariantList before = planRow(f);
        ui::StudyPlanWindow window(*f.context);
        window.show();
        QCOMPARE(labelText(&window, "planCountdownCaption"), QStringLiteral("考试日期未知"));
        QVERIFY(!child<QLabel>(&window, "planDays")->isVisible());
        QVERIFY(!child<QLabel>(&window, "planDaysUnit")->isVisible());

        click(&window, "planSetSave");
        f.prompt.queueAnswer(ui::PromptDialog::Middle);
        click(&window, "planSetSave");
        QVERIFY(f.prompt.lastText().contains(QStringLiteral("考试日期")));
        QVERIFY(window.isEditing());
        QCOMPARE(planRow(f), before);

        child<QLineEdit>(&window, "planExamDate")->setText(QStringLiteral("2026-12-10"));
        click(&window, "planSetSave");
        QVERIFY(!window.isEditing());
        QCOMPARE(labelText(&window, "planCountdownCaption"), QStringLiteral("祝考试成功！"));
        QVERIFY(!child<QLabel>(&window, "planDays")->isVisible());
    }

    void planDateFromTheCalendar()
    {
        ShellFixture f;
        f.exec(QStringLiteral("INSERT INTO tab_plan VALUES (0, 50, 60, '2027-06-12', 60, 7200)"));
        ui::StudyPlanWindow window(*f.context);
        window.show();
        click(&window, "planSetSave");
        click(&window, "planExamDateButton");
        auto *calendar = child<QCalendarWidget>(&window, "planExamCalendar");
        QVERIFY(calendar);
        QCOMPARE(calendar->selectedDate(), QDate(2027, 6, 12));
        QWidget *days = calendar->findChild<QTableView *>();
        QVERIFY(days);
        QTest::keyClick(days, Qt::Key_Right);
        QTest::keyClick(days, Qt::Key_Return);
        QCOMPARE(child<QLineEdit>(&window, "planExamDate")->text(), QStringLiteral("2027-06-13"));
        click(&window, "planSetSave");
        QCOMPARE(f.scalar(QStringLiteral("SELECT ExamDate FROM tab_plan")).toString(),
            QStringLiteral("2027-06-13"));
    }

    void planShowsReadiness()
    {
        ShellFixture f;
        f.exec(QStringLiteral("INSERT INTO tab_plan VALUES (0, 50, 60, '2027-01-09', 60, 7200)"));
        for (int i = 0; i < 4; ++i)
            f.exec(QStringLiteral("INSERT INTO tab_answ (A1, A2, F1, E2) VALUES (?1, 'A', 0, ?2)"),
                { QStringLiteral("Q%1").arg(i), i < 2 ? QVariant() : QVariant(QStringLiteral("B")) });
        f.exec(QStringLiteral("INSERT INTO tab_rz (A1, A2) VALUES ('2026-12-09', 14)"));
        ui::StudyPlanWindow window(*f.context);
        const QString text = labelText(&window, "planReadiness");
        QVERIFY2(text.contains(QStringLiteral("题库共有 4 道题，还有 2 道从未做过。")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("2026年12月12日")), qPrintable(text));
        auto *chart = child<QChartView>(&window, "planReadinessChart");
        QVERIFY(chart && !chart->chart()->series().isEmpty());
    }

    void chartValuesAndTotal()
    {
        ShellFixture f;
        addChapters(f);
        ui::ScoreChartWindow window(*f.context);
        QVERIFY(isChecked(&window, "chartKindFrequency"));
        QCOMPARE(window.shownPage(), window.page(ui::ScoreChartKind::Frequency));

        // The frequency bars reach D1 with D2 in front, and both values are written.
        auto *frequency = qobject_cast<QStackedBarSeries *>(
            window.page(ui::ScoreChartKind::Frequency)->chart()->series().value(0));
        QVERIFY(frequency);
        QCOMPARE(frequency->barSets().at(0)->label(), QStringLiteral("做错题次"));
        QCOMPARE(frequency->barSets().at(0)->at(0), 20.0);
        QCOMPARE(frequency->barSets().at(1)->label(), QStringLiteral("已做题次"));
        QCOMPARE(frequency->barSets().at(0)->at(0) + frequency->barSets().at(1)->at(0), 52.0);
        QStringList written;
        for (const auto &label : window.page(ui::ScoreChartKind::Frequency)->view()->valueLabels())
            written << label.text;
        QCOMPARE(written.join(u' '), QStringLiteral("52 0 31 20 4"));

        auto *progress = qobject_cast<QStackedBarSeries *>(
            window.page(ui::ScoreChartKind::Progress)->chart()->series().value(0));
        QVERIFY(progress);
        QCOMPARE(progress->count(), 2); // the chapter without questions has no bar
        QCOMPARE(progress->barSets().at(0)->label(), QStringLiteral("第一章 总则"));
        QCOMPARE(progress->barSets().at(0)->at(0), 32.0);
        QCOMPARE(progress->barSets().at(1)->at(1), 100.0);

        f.exec(QStringLiteral("UPDATE tab_kmmc SET C3=41 WHERE C1='1010'")); // read afresh on choosing
        click(&window, "chartKindDistribution");
        QCOMPARE(window.shownPage(), window.page(ui::ScoreChartKind::Distribution));
        QCOMPARE(labelText(&window, "chartTotalCaption"), QStringLiteral("习题总数:"));
        QCOMPARE(labelText(&window, "chartTotalValue"), QStringLiteral("51"));
    }

    void kindChangeResetsTheStyles()
    {
        ShellFixture f;
        addChapters(f);
        ui::ScoreChartWindow window(*f.context);
        window.show();
        ui::ScoreChartPage *frequency = window.page(ui::ScoreChartKind::Frequency);
        click(&window, "chartLegendBottom");
        click(&window, "chartDepth");
        click(&window, "chartLabels");
        QCOMPARE(frequency->style().legendAlignment, Qt::AlignBottom);
        QApplication::processEvents(); // the page lays itself out again
        QVERIFY(frequency->legendPanel()->y() > frequency->view()->y());
        QVERIFY(!frequency->view()->depth());
        QVERIFY(!frequency->style().labelsVisible);
        QVERIFY(!frequency->view()->valueLabelsVisible());
        // Only the chart shown takes the style.
        QCOMPARE(window.page(ui::ScoreChartKind::Progress)->style(), ui::ScoreChartStyle());

        click(&window, "chartKindProgress");
        QCOMPARE(window.shownPage(), window.page(ui::ScoreChartKind::Progress));
        QCOMPARE(frequency->style(), ui::ScoreChartStyle());
        QCOMPARE(frequency->style().legendAlignment, Qt::AlignTop);
        QVERIFY(frequency->view()->depth());
        for (const char *name : { "chartLegendTop", "chartDepth", "chartLegend", "chartLabels" })
            QVERIFY2(isChecked(&window, name), name);
    }

    void depthDrawsTopAndSideFaces()
    {
        ShellFixture f;
        addChapters(f);
        ui::ScoreChartWindow window(*f.context);
        window.show();
        auto count = [](const QImage &image, const QColor &colour) {
            int found = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    found += image.pixel(x, y) == colour.rgb();
            return found;
        };
        const QColor green(0, 128, 0);
        for (const char *kind : { "chartKindFrequency", "chartKindProgress" }) {
            click(&window, kind);
            ui::ScoreChartPage *page = window.shownPage();
            const QColor bar = page == window.page(ui::ScoreChartKind::Frequency) ? green : QColor(255, 0, 0);
            const QImage deep = page->picture();
            QVERIFY2(count(deep, bar.lighter(135)) > 30, kind); // top faces
            QVERIFY2(count(deep, bar.darker(150)) > 30, kind); // side faces
            click(&window, "chartDepth");
            const QImage flat = page->picture();
            QCOMPARE(count(flat, bar.lighter(135)), 0);
            QCOMPARE(count(flat, bar.darker(150)), 0);
            QVERIFY(count(flat, bar) > 100); // the bars themselves stay
        }
    }

    void legendToggleDisablesItsPosition()
    {
        ShellFixture f;
        addChapters(f);
        ui::ScoreChartWindow window(*f.context);
        window.show();
        click(&window, "chartKindDistribution");
        ui::ScoreChartPage *pie = window.page(ui::ScoreChartKind::Distribution);
        auto bottomOfTotal
            = [pie] { return pie->totalCaption()->mapTo(pie, QPoint(0, pie->totalCaption()->height())).y(); };
        click(&window, "chartLegendBottom");
        QApplication::processEvents();
        QVERIFY(bottomOfTotal() <= pie->legendPanel()->y()); // out of the legend's way
        click(&window, "chartLegendRight");
        QApplication::processEvents();
        QVERIFY(bottomOfTotal() > pie->height() - 40);
        QVERIFY(pie->totalCaption()->isVisible());

        click(&window, "chartLegend");
        QVERIFY(!pie->legendPanel()->isVisible());
        QVERIFY(!child<QGroupBox>(&window, "chartLegendPosition")->isEnabled());
        click(&window, "chartLegend");
        QVERIFY(pie->legendPanel()->isVisible());
        QVERIFY(child<QGroupBox>(&window, "chartLegendPosition")->isEnabled());
    }

    void savedPictureIsTheChartOnWhite_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("written");
        QTest::newRow("bmp") << "chart.bmp"
                             << "Bitmaps图片 (*.bmp)"
                             << "chart.bmp";
        QTest::newRow("png") << "chart.png"
                             << "Bitmaps图片 (*.bmp)"
                             << "chart.png";
        QTest::newRow("png by filter") << "chart"
                                       << "PNG图片 (*.png)"
                                       << "chart.png";
    }
    void savedPictureIsTheChartOnWhite()
    {
        QFETCH(QString, name);
        QFETCH(QString, filter);
        QFETCH(QString, written);
        ShellFixture f;
        addChapters(f);
        ui::ScoreChartWindow window(*f.context);
        window.show();
        ui::ChartOutputHooks hooks;
        hooks.saveFileName = [&](QWidget *, const QStringList &filters, QString *chosen) {
            [&] { QCOMPARE(filters.first(), QStringLiteral("Bitmaps图片 (*.bmp)")); }();
            *chosen = filter;
            return f.dir.filePath(name);
        };
        window.setOutputHooks(hooks);
        click(&window, "chartSave");
        QCOMPARE(f.prompt.askCount(), 0);
        const QImage saved(f.dir.filePath(written));
        QVERIFY(!saved.isNull());
        QCOMPARE(saved.size(), window.shownPage()->size());
        const QColor white(Qt::white);
        for (const QPoint &corner : { QPoint(0, 0), QPoint(saved.width() - 1, 0),
                 QPoint(0, saved.height() - 1), QPoint(saved.width() - 1, saved.height() - 1) })
            QCOMPARE(saved.pixelColor(corner), white);
        // The picture holds the chart: some of the green of the bars.
        int green = 0;
        for (int y = 0; y < saved.height(); y += 2)
            for (int x = 0; x < saved.width(); x += 2)
                green += saved.pixelColor(x, y) == QColor(0, 128, 0);
        QVERIFY(green > 100);
    }

    void unwritablePictureIsReported()
    {
        ShellFixture f;
        ui::ScoreChartWindow window(*f.context);
        ui::ChartOutputHooks hooks;
        hooks.saveFileName = [&](QWidget *, const QStringList &, QString *) {
            return f.dir.filePath(QStringLiteral("no/such/folder/chart.bmp"));
        };
        window.setOutputHooks(hooks);
        f.prompt.queueAnswer(ui::PromptDialog::Middle);
        click(&window, "chartSave");
        QCOMPARE(f.prompt.lastText(), QStringLiteral("无法保存文件！"));
        QCOMPARE(f.prompt.lastCaption(), QStringLiteral("错误"));

        hooks.saveFileName = [](QWidget *, const QStringList &, QString *) { return QString(); };
        window.setOutputHooks(hooks);
        const int asked = f.prompt.askCount();
        click(&window, "chartSave"); // cancelled: nothing written, nothing said
        QCOMPARE(f.prompt.askCount(), asked);
    }

    void printing()
    {
        ShellFixture f;
        addChapters(f);
        ui::ScoreChartWindow window(*f.context);
        window.show();
        ui::ChartOutputHooks hooks;
        hooks.printerNames = [] { return QStringList(); };
        window.setOutputHooks(hooks);
        f.prompt.queueAnswer(ui::PromptDialog::Middle);
        click(&window, "chartPrint");
        QCOMPARE(f.prompt.lastText(), QStringLiteral("没有发现打印机！"));
        QCOMPARE(f.prompt.lastCaption(), QStringLiteral("提示"));

        // A printer that writes a PDF stands in for the real one.
        const QString pdf = f.dir.filePath(QStringLiteral("chart.pdf"));
        hooks.printerNames = [] { return QStringList { QStringLiteral("test") }; };
        hooks.choosePrinter = [&](QPrinter &printer, QWidget *) {
            [&] { QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape); }();
            printer.setOutputFileName(pdf);
            return true;
        };
        window.setOutputHooks(hooks);
        const int asked = f.prompt.askCount();
        click(&window, "chartPrint");
        QCOMPARE(f.prompt.askCount(), asked);
        QVERIFY(QFileInfo(pdf).size() > 1000);

        hooks.choosePrinter = [&](QPrinter &printer, QWidget *) {
            printer.setOutputFileName(f.dir.filePath(QStringLiteral("no/such/folder/chart.pdf")));
            return true;
        };
        window.setOutputHooks(hooks);
        f.prompt.queueAnswer(ui::PromptDialog::Middle);
        click(&window, "chartPrint");
        QCOMPARE(f.prompt.lastText(), QStringLiteral("打印时发生错误！"));
        QCOMPARE(f.prompt.lastCaption(), QStringLiteral("错误"));
    }
};

VORLANE_UI_TEST(ProgressWindowsTest)

#include "ProgressWindowsTest.moc"
