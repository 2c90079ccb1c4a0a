#include "PracticeUiBank.h"
#include "UiTest.h"

#include "ui/laws/BankSearchWindow.h"
#include "ui/laws/LawsBrowserWindow.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTreeWidget>

using namespace vorlane;
using namespace vorlane::test;

// A driver for a person, not a test (no ctest entry): with VORLANE_TIMING_BANK (a large bank,
// e.g. made by vorlane_demobank --questions 100000) it times, through the real windows, opening
// the browser, opening the law with the most questions, toggling its key points, an article's
// click to the practice window shown, and a bank search to its hits shown:
//   VORLANE_TIMING_BANK=/tmp/big.db vorlane_ui_tests LawsTimingDriver
class LawsTimingDriver : public QObject
{
    Q_OBJECT

private slots:
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
        const QString law
            = (*db)
                  ->scalar(QStringLiteral("SELECT id FROM tab_fgmc WHERE length(id) = 6 ORDER BY q DESC"))
                  .toString();
        AppState state;
        state.appDir = qEnvironmentVariable("VORLANE_TEST_APPDIR") + QLatin1Char('/');
        Clock clock;
        ui::ModalRunner modal;
        ui::PromptDialog prompt(modal);
        ui::ProgressWindow progress;
        ui::UiContext context { state, **db, clock, prompt, progress, modal };
        QElapsedTimer timer;
        qint64 toPractice = 0, toHits = 0;
        int listed = 0, hits = 0;
        modal.setDriver([&](QDialog &dialog) {
            if (auto *practice = qobject_cast<ui::PracticeWindow *>(&dialog)) {
                toPractice = timer.elapsed(); // the first question is shown as the window shows
                listed = practice->session().count();
                dialog.close();
            } else if (auto *search = qobject_cast<ui::BankSearchWindow *>(&dialog)) {
                toHits = timer.elapsed();
                hits = search->findChild<QTreeWidget *>(QStringLiteral("searchHits"))
                           ->topLevelItem(1)
                           ->childCount();
                dialog.close();
            }
        });

        timer.start();
        ui::LawsBrowserWindow browser(context);
        browser.show();
        const qint64 toBrowser = timer.elapsed();
        QVERIFY(browser.selectLaw(law));
        timer.start();
        click(&browser, QStringLiteral("selectButton"));
        const qint64 toLaw = timer.elapsed();
        timer.start();
        click(&browser, QStringLiteral("keyPointsButton"));
        const qint64 toKeyPoints = timer.elapsed();
        timer.start();
        click(&browser, QStringLiteral("practiseButton"));
        browser.findChild<QLineEdit *>(QStringLiteral("bankSearchEdit"))->setText(QStringLiteral("仓储经营"));
        timer.start();
        click(&browser, QStringLiteral("bankSearchButton"));
        qInfo("law %s: browser %lld ms, open law %lld ms, key points %lld ms, practice of %d questions %lld "
              "ms, "
              "search with %d question hits %lld ms",
            qPrintable(law), toBrowser, toLaw, toKeyPoints, listed, toPractice, hits, toHits);
    }
};

// Registered for running by hand; VORLANE_UI_DRIVER lines are not ctest entries.
VORLANE_UI_DRIVER(LawsTimingDriver)
#include "LawsTimingDriver.moc"
