#include "PracticeUiBank.h"
#include "UiTest.h"

#include "ui/practice/CatalogueWindow.h"
#include "ui/widgets/AnswerPanel.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>

using namespace vorlane;
using namespace vorlane::test;

// A driver for a person, not a test (no ctest entry): with VORLANE_TIMING_BANK (a large bank,
// e.g. made by vorlane_demobank --questions 100000) it times a mode's click to the first question
// shown and "下一题" to the next question shown, through the real windows:
//   VORLANE_TIMING_BANK=/tmp/big.db vorlane_ui_tests PracticeTimingDriver
class PracticeTimingDriver : public QObject
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
        const QString chapter
            = (*db)
                  ->scalar(
                      QStringLiteral("SELECT A10 FROM tab_answ GROUP BY A10 ORDER BY count(*) DESC LIMIT 1"))
                  .toString();
        AppState state;
        state.appDir = qEnvironmentVariable("VORLANE_TEST_APPDIR") + QLatin1Char('/');
        Clock clock;
        ui::ModalRunner modal;
        ui::PromptDialog prompt(modal);
        ui::ProgressWindow progress;
        ui::UiContext context { state, **db, clock, prompt, progress, modal };
        QElapsedTimer timer;
        qint64 toFirst = 0;
        QList<double> nexts;
        modal.setDriver([&](QDialog &dialog) {
            // The first question is shown as the window shows.
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
        });
        ui::CatalogueWindow catalogue(context);
        catalogue.show();
        QVERIFY(catalogue.selectCode(chapter));
        timer.start();
        click(&catalogue, QStringLiteral("newQuestionsArea"));
        std::sort(nexts.begin(), nexts.end());
        qInfo("chapter %s: mode click to first question %lld ms; next question median %.1f ms, max %.1f ms",
            qPrintable(chapter), toFirst, nexts.value(nexts.size() / 2), nexts.value(nexts.size() - 1));
    }
};

// Registered for running by hand; VORLANE_UI_DRIVER lines are not ctest entries.
VORLANE_UI_DRIVER(PracticeTimingDriver)
#include "PracticeTimingDriver.moc"
