#include "ExamUiFixture.h"
#include "ScreenLayouts.h"
#include "UiTest.h"

#include "core/settings/BankUpgrade.h"
#include "ui/exam/ExamWindow.h"
#include "ui/exam/PaperExport.h"
#include "ui/settings/UpgradeWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <functional>

using namespace vorlane;
using namespace vorlane::test;

// A driver for a person, not a test: it does nothing unless VORLANE_SCREENSHOT_DIR is set. Run
// under a real display with a window manager (QT_QPA_PLATFORM=xcb, Xvfb and openbox), it saves
// pictures of the whole screen: the upgrade window after a merge in both layouts, and the exam
// review with the export's save dialog open.
class UpgradeScreenshotTest : public QObject
{
    Q_OBJECT

private:
    static void shoot(const QString &file)
    {
        QTest::qWait(600); // a driver: let the window manager place and paint the windows
        QProcess::execute(
            QStringLiteral("import"), { QStringLiteral("-window"), QStringLiteral("root"), file });
    }

private slots:
    void upgradeWindow_data() { addScreenLayoutRows(); }
    void upgradeWindow()
    {
        QFETCH(QString, layout);
        const QString folder = qEnvironmentVariable("VORLANE_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("VORLANE_SCREENSHOT_DIR not set");
        ExamUiFixture f;
        f.state.screenLayout = layout;
        f.exec(QStringLiteral("INSERT INTO tab_sj (sjbs, cpbs) VALUES ('BASE', 'P')"));
        const QString path = f.dir.filePath(QStringLiteral("题库升级包 2027.db"));
        {
            auto file = Database::open(path, QByteArray(), Database::Mode::CreateNew);
            createSchema(**file);
            (*file)->exec(QStringLiteral("INSERT INTO tab_sj (sjbs, cpbs) VALUES ('UP1', 'P')"));
            (*file)->exec(
                QStringLiteral("INSERT INTO tab_answ (A1, A2, A10, A13) VALUES ('N1', 'A', '100101', 61)"));
        }
        ui::UpgradeWindow window(*f.context);
        window.show();
        window.findChild<QLineEdit *>(QStringLiteral("upgradePath"))
            ->setText(path); // keyClicks types only ASCII
        f.prompt.queueAnswer(ui::PromptDialog::Middle);
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("upgradeStart")), Qt::LeftButton);
        shoot(QDir(folder).filePath(QStringLiteral("upgrade-%1.png").arg(layout)));
        // The same window asking for a file, with the message box over it.
        window.findChild<QLineEdit *>(QStringLiteral("upgradePath"))->clear();
        f.modal.setDriver([&](QDialog &box) {
            shoot(QDir(folder).filePath(QStringLiteral("upgrade-prompt-%1.png").arg(layout)));
            box.done(ui::PromptDialog::Middle);
        });
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("upgradeStart")), Qt::LeftButton);
    }

    void exportDialog()
    {
        const QString folder = qEnvironmentVariable("VORLANE_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("VORLANE_SCREENSHOT_DIR not set");
        ExamUiFixture f;
        exam::PaperIdentity paper = f.makePaper(20, 5);
        paper.mode = exam::PaperMode::Old;
        ui::ExamWindow window(*f.context);
        QVERIFY(window.openPaper(paper));
        window.show();
        window.paperExporter().setDocumentOpener([](const QString &) { return true; });
        f.modal.setDriver([&](QDialog &dialog) {
            shoot(QDir(folder).filePath(QStringLiteral("export-dialog.png")));
            dialog.reject();
        });
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("examExport")), Qt::LeftButton);
    }
};

// Run by hand with VORLANE_SCREENSHOT_DIR set; VORLANE_UI_DRIVER lines are not ctest entries.
VORLANE_UI_DRIVER(UpgradeScreenshotTest)
#include "UpgradeScreenshotTest.moc"
