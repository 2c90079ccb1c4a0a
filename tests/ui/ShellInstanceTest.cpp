#include "ShellFixture.h"
#include "UiTest.h"

#include "ui/shell/SingleInstance.h"

#include <QProcess>
#include <QSignalSpy>
#include <QUuid>

using namespace vorlane;

namespace {

QString program()
{
    const QString appDir
        = qEnvironmentVariable("VORLANE_TEST_APPDIR", QCoreApplication::applicationDirPath());
    return QDir(appDir).filePath(QStringLiteral("vorlane"));
}

QString uniqueKey()
{
    return QStringLiteral("vorlane-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

QProcessEnvironment programEnvironment(const QString &key)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("VORLANE_INSTANCE_KEY"), key);
    return environment;
}

} // namespace

class ShellInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void aSecondStartHandsOverAndEnds()
    {
        const QString key = uniqueKey();
        ui::SingleInstance running(key);
        QCOMPARE(running.claim(), ui::SingleInstance::Claim::Running);
        QSignalSpy activations(&running, &ui::SingleInstance::activationRequested);

        QProcess second;
        second.setProcessEnvironment(programEnvironment(key));
        second.start(program(), { QStringLiteral("--bank"), QStringLiteral("/nonexistent/bank.db") });
        QVERIFY(second.waitForStarted());
        // It must end by itself, before it would reach the bank (which would need an answer).
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 10000);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE(activations.count(), 1);
    }

    void theRunningProgramAnswersALaterStart()
    {
        test::ShellFixture fixture;
        const QString key = uniqueKey();
        QProcess first;
        first.setProcessEnvironment(programEnvironment(key));
        first.start(program(), { QStringLiteral("--bank"), fixture.db->path() });
        QVERIFY(first.waitForStarted());
        ui::SingleInstance later(key);
        QTRY_VERIFY_WITH_TIMEOUT(later.activateRunningInstance(200), 10000);
        QCOMPARE(later.claim(), ui::SingleInstance::Claim::Taken);
        QCOMPARE(first.state(), QProcess::Running);
        first.kill();
        first.waitForFinished();
        // With the first gone, the claim is free again, even though it did not end cleanly.
        ui::SingleInstance next(key);
        QVERIFY(!next.activateRunningInstance(200));
        QCOMPARE(next.claim(), ui::SingleInstance::Claim::Running);
        QVERIFY(next.activateRunningInstance(1000));
    }

    // Real programs started in pairs at the same moment: one of each pair runs on, the other
    // hands over and ends; never both.
    void twoStartsAtOnceNeverBothRun()
    {
        test::ShellFixture fixture;
        for (int pair = 0; pair < 5; ++pair) {
            const QString key = uniqueKey();
            QProcess a, b;
            for (QProcess *start : { &a, &b }) {
                start->setProcessEnvironment(programEnvironment(key));
                start->start(program(), { QStringLiteral("--bank"), fixture.db->path() });
            }
            QVERIFY(a.waitForStarted() && b.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(
                a.state() == QProcess::NotRunning || b.state() == QProcess::NotRunning, 20000);
            QProcess &ended = a.state() == QProcess::NotRunning ? a : b;
            QProcess &running = &ended == &a ? b : a;
            QCOMPARE(ended.exitCode(), 0);
            // The one that runs on is still there well after the other has gone.
            QTest::qWait(500);
            QCOMPARE(running.state(), QProcess::Running);
            running.kill();
            running.waitForFinished();
        }
    }

    void bringingToFrontRestoresAMinimisedWindow()
    {
        QWidget main;
        main.showMinimized();
        QVERIFY(main.windowState() & Qt::WindowMinimized);
        ui::bringToFront(&main);
        QVERIFY(!(main.windowState() & Qt::WindowMinimized));
        QVERIFY(main.isVisible());
    }

    void withoutADisplayTheProgramSaysSoInOneLine()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
            environment.remove(QLatin1String(name));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program(), {});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 1);
        const QString said = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        QVERIFY2(said.contains(QStringLiteral("desktop session")), qPrintable(said));
        QVERIFY2(said.contains(QStringLiteral("需要在图形桌面中运行")), qPrintable(said)); // in Chinese too
        QVERIFY2(said.contains(QStringLiteral("xvfb-run")), qPrintable(said));
        QCOMPARE(said.count(QLatin1Char('\n')), 0);
    }
};

VORLANE_UI_TEST(ShellInstanceTest)
#include "ShellInstanceTest.moc"
