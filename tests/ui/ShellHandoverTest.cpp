#include "ShellFixture.h"
#include "UiTest.h"

#include "ui/shell/InstanceHandover.h"
#include "ui/shell/SingleInstance.h"

#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUuid>

using namespace vorlane;

namespace {

QString program()
{
    const QString appDir
        = qEnvironmentVariable("VORLANE_TEST_APPDIR", QCoreApplication::applicationDirPath());
    return QDir(appDir).filePath(QStringLiteral("vorlane"));
}

// The program as a terminal starts it: no desktop at all.
QProcessEnvironment withoutDesktop()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(QLatin1String(name));
    return environment;
}

bool touch(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

} // namespace

// A later start that hands over to the running program, and the options answered on the terminal.
class ShellHandoverTest : public QObject
{
    Q_OBJECT

private slots:
    void aLaterStartNamesTheBankItWantedAsAnAbsolutePath()
    {
        const QString key = QStringLiteral("vorlane-test-") + QUuid::createUuid().toString(QUuid::Id128);
        ui::SingleInstance running(key);
        QCOMPARE(running.claim(), ui::SingleInstance::Claim::Running);
        QSignalSpy activations(&running, &ui::SingleInstance::activationRequested);
        QTemporaryDir folder;
        // Spaces, Chinese and a line break in a file name survive the one-line request.
        const QString name = QStringLiteral("我的 题库\n2.db");
        QProcess second;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("VORLANE_INSTANCE_KEY"), key);
        second.setProcessEnvironment(environment);
        second.setWorkingDirectory(folder.path());
        second.start(program(), { QStringLiteral("--bank"), name });
        QVERIFY(second.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 10000);
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE(activations.count(), 1);
        QCOMPARE(activations.first().first().toString(), QDir(folder.path()).filePath(name));
    }

    void anOldStyleRequestStillActivates()
    {
        const QString key = QStringLiteral("vorlane-test-") + QUuid::createUuid().toString(QUuid::Id128);
        ui::SingleInstance running(key);
        QCOMPARE(running.claim(), ui::SingleInstance::Claim::Running);
        QSignalSpy activations(&running, &ui::SingleInstance::activationRequested);
        ui::SingleInstance later(key);
        QVERIFY(later.activateRunningInstance(1000));
        QTRY_COMPARE(activations.count(), 1);
        QCOMPARE(activations.first().first().toString(), QString());
    }

    void anotherBankIsToldNotShownSilently_data()
    {
        QTest::addColumn<QString>("requested");
        QTest::addColumn<bool>("told");
        QTest::newRow("the same bank") << QStringLiteral("bank.db") << false;
        QTest::newRow("the same bank through .. and a link") << QStringLiteral("sub/../link.db") << false;
        QTest::newRow("another bank") << QStringLiteral("other.db") << true;
        QTest::newRow("a bank not made yet") << QStringLiteral("new/bank.db") << true;
        QTest::newRow("no bank named") << QString() << false;
    }

    void anotherBankIsToldNotShownSilently()
    {
        QFETCH(QString, requested);
        QFETCH(bool, told);
        test::ShellFixture fixture;
        QVERIFY(fixture.ok());
        const QDir dir(fixture.dir.path());
        QVERIFY(dir.mkpath(QStringLiteral("sub")));
        QVERIFY(
            QFile::link(dir.filePath(QStringLiteral("bank.db")), dir.filePath(QStringLiteral("link.db"))));
        QVERIFY(touch(dir.filePath(QStringLiteral("other.db"))));
        QWidget menu;
        menu.showMinimized();
        fixture.prompt.queueAnswer(ui::PromptDialog::Middle);
        ui::answerLaterStart(&menu, fixture.prompt, dir.filePath(QStringLiteral("bank.db")),
            requested.isEmpty() ? QString() : dir.filePath(requested));
        QVERIFY(!(menu.windowState() & Qt::WindowMinimized)); // the running program comes forward either way
        QCOMPARE(fixture.prompt.askCount(), told ? 1 : 0);
        if (told) {
            const QString text = fixture.prompt.lastText();
            QVERIFY2(text.contains(QStringLiteral("已经在运行")), qPrintable(text));
            QVERIFY2(
                text.contains(QDir::cleanPath(dir.filePath(QStringLiteral("bank.db")))), qPrintable(text));
            QVERIFY2(text.contains(QDir::cleanPath(dir.filePath(requested))), qPrintable(text));
            QCOMPARE(fixture.prompt.lastIcon(), int(ui::PromptDialog::Information));
        }
    }

    // A third start while the message is still up must not ask the shared box a second time.
    void aStartWhileTheMessageIsUpAsksNothingMore()
    {
        test::ShellFixture fixture;
        QWidget menu;
        menu.show();
        const QString bank = fixture.db->path();
        const QString other = fixture.dir.filePath(QStringLiteral("other.db"));
        int driven = 0;
        fixture.modal.setDriver([&](QDialog &box) {
            ++driven;
            ui::answerLaterStart(&menu, fixture.prompt, bank, other);
            QTest::mouseClick(box.findChild<QPushButton *>(QStringLiteral("promptMiddle")), Qt::LeftButton);
        });
        ui::answerLaterStart(&menu, fixture.prompt, bank, other);
        QCOMPARE(driven, 1);
        QCOMPARE(fixture.prompt.askCount(), 1);
    }

    void versionIsPrintedWithoutADesktop()
    {
        QProcess process;
        process.setProcessEnvironment(withoutDesktop());
        process.start(program(), { QStringLiteral("--version") });
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 0);
        const QString said = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY2(
            QRegularExpression(QStringLiteral("^vorlane \\d+\\.\\d+(\\.\\d+)*\\n$")).match(said).hasMatch(),
            qPrintable(said));
    }

    void helpListsTheOptionsAndTheFolders()
    {
        QTemporaryDir home;
        QProcessEnvironment environment = withoutDesktop();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_STATE_HOME"), home.filePath(QStringLiteral("state")));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program(), { QStringLiteral("--help") });
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 0);
        const QString said = QString::fromUtf8(process.readAllStandardOutput());
        for (const QString &expected : QStringList {
                 QStringLiteral("--bank PATH"),
                 QStringLiteral("--help"),
                 QStringLiteral("--version"),
                 QStringLiteral("VORLANE_BANK"),
                 home.filePath(QStringLiteral("data/Vorlane/ZRVTQM602941.db")),
                 home.filePath(QStringLiteral("state/Vorlane/vorlane.log")),
                 QString(QDir(QFileInfo(program()).absolutePath()).absolutePath() + QLatin1Char('/')),
             })
            QVERIFY2(said.contains(expected), qPrintable(expected + QStringLiteral(" not in:\n") + said));
        // Nothing was made by asking for help.
        QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("data"))));
        QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("state"))));
    }
};

VORLANE_UI_TEST(ShellHandoverTest)
#include "ShellHandoverTest.moc"
