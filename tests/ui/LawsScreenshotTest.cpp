#include "PracticeUiBank.h"
#include "ScreenLayouts.h"
#include "UiTest.h"

#include "ui/laws/BankSearchWindow.h"
#include "ui/laws/LawsBrowserWindow.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/Theme.h"

#include <QApplication>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>

using namespace vorlane;
using namespace vorlane::test;

// A driver for a person, not a test: it does nothing unless VORLANE_SCREENSHOT_DIR is set. It
// opens the demo bank's laws browser in both layouts and saves the catalogue, a law's articles,
// the bank search and article practice. On an X display the whole screen is taken (so the
// window manager's frame shows); offscreen, the window itself.
class LawsScreenshotTest : public QObject
{
    Q_OBJECT

private:
    static void snap(QWidget &window, const QString &path)
    {
        QTest::qWait(300);
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            QProcess::execute(
                QStringLiteral("import"), { QStringLiteral("-window"), QStringLiteral("root"), path });
        else
            window.grab().save(path);
    }

private slots:
    void saveScreens_data() { addScreenLayoutRows(); }
    void saveScreens()
    {
        QFETCH(QString, layout);
        const QString folder = qEnvironmentVariable("VORLANE_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("VORLANE_SCREENSHOT_DIR not set");
        QDir().mkpath(folder);
        ui::applyTheme(*qApp); // as the program looks
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bank.db"));
        QVERIFY(QFile::copy(qEnvironmentVariable("VORLANE_TEST_APPDIR") + QStringLiteral("/data/")
                + QString::fromLatin1(bank::FileName),
            path));
        auto db = Database::open(path, bank::password());
        QVERIFY(db.ok());
        AppState state;
        state.appDir = qEnvironmentVariable("VORLANE_TEST_APPDIR") + QLatin1Char('/');
        state.screenLayout = layout;
        Clock clock;
        ui::ModalRunner modal;
        ui::PromptDialog prompt { modal };
        ui::ProgressWindow progress;
        ui::UiContext context { state, **db, clock, prompt, progress, modal };
        modal.setDriver([&](QDialog &dialog) {
            if (auto *search = qobject_cast<ui::BankSearchWindow *>(&dialog)) {
                snap(dialog, folder + QStringLiteral("/laws%1-search.png").arg(layout));
                click(search, QStringLiteral("openArticleButton"));
            } else {
                click(&dialog, QStringLiteral("option0B"));
                click(&dialog, QStringLiteral("submitButton"));
                snap(dialog, folder + QStringLiteral("/laws%1-practice.png").arg(layout));
                dialog.close();
            }
        });
        ui::LawsBrowserWindow browser(context);
        browser.show();
        QVERIFY(browser.selectLaw(QStringLiteral("010001")));
        snap(browser, folder + QStringLiteral("/laws%1-catalogue.png").arg(layout));
        click(&browser, QStringLiteral("selectButton"));
        browser.findChild<QListWidget *>(QStringLiteral("articleList"))->setCurrentRow(1);
        snap(browser, folder + QStringLiteral("/laws%1-articles.png").arg(layout));
        click(&browser, QStringLiteral("practiseButton"));
        browser.findChild<QLineEdit *>(QStringLiteral("bankSearchEdit"))->setText(QStringLiteral("备案"));
        click(&browser, QStringLiteral("bankSearchButton"));
        snap(browser, folder + QStringLiteral("/laws%1-found.png").arg(layout));
    }
};

// Registered for running by hand; VORLANE_UI_DRIVER lines are not ctest entries.
VORLANE_UI_DRIVER(LawsScreenshotTest)
#include "LawsScreenshotTest.moc"
