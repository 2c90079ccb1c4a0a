#include "PracticeUiBank.h"
#include "UiTest.h"

#include "ui/practice/CatalogueWindow.h"
#include "ui/widgets/AnswerPanel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>

using namespace vorlane;
using namespace vorlane::test;

// Drivers for a person, not tests: they do nothing unless asked. VORLANE_SCREENSHOT_DIR saves
// pictures of the catalogue and the practice window in both layouts there; VORLANE_TIMING_BANK
// (a large bank, e.g. made by vorlane_demobank --questions 100000) times a mode's click to the
// first question shown and "下一题" to the next question shown, through the real windows.
class PracticeScreenshotTest : public QObject
{
    Q_OBJECT

private slots:
    void saveScreens_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::newRow("800") << QStringLiteral("800");
        QTest::newRow("1024") << QStringLiteral("1024");
    }
    void saveScreens()
    {
        QFETCH(QString, layout);
        const QString folder = qEnvironmentVariable("VORLANE_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("VORLANE_SCREENSHOT_DIR not set");
        PracticeUiBank bank;
        bank.state.screenLayout = layout;
        const QString stem = QStringLiteral("1001010000000001");
        bank.exec(QStringLiteral("INSERT INTO tab_title (A1, A15) VALUES (?, ?)"),
            { stem,
                QStringLiteral(
                    "<p>甲公司与乙公司于2025年3月签订买卖合同，约定甲公司向乙公司供应钢材一批……</p>") });
        for (int i = 1; i <= 23; ++i)
            bank.addQuestion(QStringLiteral("q%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("100101"),
                i % 4 == 0 ? 66 : 61, QStringLiteral("A"), 4, { QStringLiteral("1100010001") }, i);
        bank.addQuestion(
            stem + QStringLiteral("-1"), QStringLiteral("100101"), 61, QStringLiteral("B"), 4, {}, 0);
        bank.exec(QStringLiteral("UPDATE tab_exer SET A15=? WHERE A1 LIKE 'q%'"),
            { QStringLiteral("<p>根据合同法的规定，下列关于要约的说法中，正确的是（　）。</p>"
                             "<p>A. 要约可以撤回</p><p>B. 要约一经发出即生效</p>"
                             "<p>C. 要约不得撤销</p><p>D. 要约邀请视为要约</p>") });
        bank.exec(QStringLiteral(
            "UPDATE tab_kmmc SET D1=12, D2=3, C4=9, C6='75.00' WHERE C1 IN ('100101','10','1')"));
        QDir().mkpath(folder);

        bank.hooks.runModal = [&](QDialog &dialog) {
            dialog.show();
            auto &practice = static_cast<ui::PracticeWindow &>(dialog);
            click(&practice, QStringLiteral("nextButton"));
            click(&practice, QStringLiteral("option0A"));
            click(&practice, QStringLiteral("submitButton"));
            click(&practice, QStringLiteral("nextButton"));
            click(&practice, QStringLiteral("option0B"));
            click(&practice, QStringLiteral("submitButton"));
            QTest::qWait(50);
            dialog.grab().save(folder + QStringLiteral("/practice%1.png").arg(layout));
            click(&practice, QStringLiteral("answerButton"));
            QTest::qWait(50);
            dialog.grab().save(folder + QStringLiteral("/practice%1-answer.png").arg(layout));
            click(&practice, QStringLiteral("indicator1"));
            QTest::qWait(50);
            dialog.grab().save(folder + QStringLiteral("/practice%1-composite.png").arg(layout));
            dialog.close();
            return 0;
        };
        ui::CatalogueWindow catalogue(bank.context, bank.hooks);
        catalogue.show();
        QVERIFY(catalogue.selectCode(QStringLiteral("100101")));
        QTest::qWait(50);
        catalogue.grab().save(folder + QStringLiteral("/catalogue%1.png").arg(layout));
        click(&catalogue, QStringLiteral("newQuestionsArea"));
    }

    void timeTheWindows()
    {
        const QString source = qEnvironmentVariable("VORLANE_TIMING_BANK");
        if (source.isEmpty())
            QSKIP("VORLANE_TIMING_BANK not set");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bank.db"));
        QVERIFY(QFile::copy(source, path));
        auto db = Database::open(path, bank::password());
        QVERIFY(db.ok());
        const QString chapter
            = (*db)
                  ->scalar(
                      QStringLiteral("SELECT A10 FROM tab_answ GROUP BY A10 ORDER BY count(*) DESC LIMIT 1"))
                  .toString();
        AppState state;
        state.appDir = qEnvironmentVariable("VORLANE_TEST_APPDIR") + QLatin1Char('/');
        Clock clock;
        ui::PromptDialog prompt;
        ui::ProgressWindow progress;
        ui::UiContext context { state, **db, clock, prompt, progress };
        ui::PracticeHooks hooks;
        QElapsedTimer timer;
        qint64 toFirst = 0;
        QList<double> nexts;
        hooks.runModal = [&](QDialog &dialog) {
            dialog.show(); // the first question is shown as the window shows
            toFirst = timer.elapsed();
            auto &practice = static_cast<ui::PracticeWindow &>(dialog);
            for (int i = 0; i < 60; ++i) {
                practice.answerPanel()->pressOption(i % 4);
                QElapsedTimer next;
                next.start();
                click(&practice, QStringLiteral("nextButton"));
                nexts << next.nsecsElapsed() / 1e6;
            }
            dialog.close();
            return 0;
        };
        ui::CatalogueWindow catalogue(context, hooks);
        catalogue.show();
        QVERIFY(catalogue.selectCode(chapter));
        timer.start();
        click(&catalogue, QStringLiteral("newQuestionsArea"));
        std::sort(nexts.begin(), nexts.end());
        qInfo("chapter %s: mode click to first question %lld ms; next question median %.1f ms, max %.1f ms",
            qPrintable(chapter), toFirst, nexts.value(nexts.size() / 2), nexts.value(nexts.size() - 1));
    }
};

VORLANE_UI_TEST(PracticeScreenshotTest)
#include "PracticeScreenshotTest.moc"
