#include "ShellFixture.h"
#include "UiTest.h"

#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/InfoWindows.h"
#include "ui/shell/MenuWindow.h"
#include "ui/shell/ShellCommands.h"

#include <QLabel>
#include <QMessageBox>

#include <QPushButton>
#include <QTextBrowser>
#include <functional>
#include <stdexcept>

using namespace vorlane;
using ui::CommandDispatcher;

namespace {

struct SystemMessage
{
    QMessageBox::Icon icon;
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// The shell's commands on a fixture, with the desktop's pages recorded. A system message box is
// recorded and answered with `answer` as a user would, by its button; any other child window is
// handed to `drive`.
struct ShellCommands
{
    explicit ShellCommands(QMessageBox::StandardButton answer = QMessageBox::Ok)
    {
        menu.show();
        ui::ShellServices services;
        services.openPage = [this](const QString &path) { pages.append(path); };
        fixture.modal.setDriver([this, answer](QDialog &dialog) {
            auto *box = qobject_cast<QMessageBox *>(&dialog);
            if (!box) {
                if (drive)
                    drive(dialog);
                return;
            }
            QCOMPARE(box->parentWidget(), &menu);
            messages.append({ box->icon(), box->windowTitle(), box->text(), box->standardButtons() });
            QTest::mouseClick(box->button(answer), Qt::LeftButton);
        });
        ui::addShellCommands(dispatcher, *fixture.context, &menu, services);
    }

    test::ShellFixture fixture;
    CommandDispatcher dispatcher;
    QWidget menu;
    QStringList pages;
    QList<SystemMessage> messages;
    std::function<void(QDialog &)> drive;
};

} // namespace

class ShellCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void theTableServesItsExactWordsOnly()
    {
        ShellCommands shell;
        for (const char *word : { "music", "sztime", "fg", "lxfs", "help", "about", "quit" })
            QVERIFY2(shell.dispatcher.serves(QLatin1String(word)), word);
        for (const char *word : { "FG", "Fg", "fg ", " fg", "QUIT", "quit ", "About", "", "lnst", "zsd" }) {
            QVERIFY2(!shell.dispatcher.serves(QLatin1String(word)), word);
            QVERIFY2(!shell.dispatcher.dispatch(QLatin1String(word)), word);
        }
        QVERIFY(shell.pages.isEmpty());
        QVERIFY(shell.messages.isEmpty());
        QVERIFY(shell.menu.isVisible());
    }

    void theHourglassLastsAsTheTableSays()
    {
        CommandDispatcher dispatcher;
        QList<bool> waitingInside;
        auto waiting = [] {
            return QApplication::overrideCursor()
                && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        };
        dispatcher.add(QStringLiteral("plain"), CommandDispatcher::Cursor::Unchanged,
            [&] { waitingInside.append(waiting()); });
        dispatcher.add(QStringLiteral("busy"), CommandDispatcher::Cursor::Hourglass,
            [&] { waitingInside.append(waiting()); });
        dispatcher.add(QStringLiteral("failing"), CommandDispatcher::Cursor::Hourglass,
            [] { throw std::runtime_error("window failed"); });
        dispatcher.add(QStringLiteral("creating"), CommandDispatcher::Cursor::HourglassWhileCreating, [&] {
            waitingInside.append(waiting());
            QApplication::restoreOverrideCursor(); // the window exists: the arrow comes back
            waitingInside.append(waiting());
        });
        for (const char *word : { "plain", "busy", "creating" })
            QVERIFY(dispatcher.dispatch(QLatin1String(word)));
        QCOMPARE(waitingInside, (QList<bool> { false, true, true, false }));
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, dispatcher.dispatch(QStringLiteral("failing")));
        QVERIFY(!QApplication::overrideCursor());
        // A window that fails before it exists never gets to bring the arrow back itself.
        dispatcher.add(QStringLiteral("failingCreation"), CommandDispatcher::Cursor::HourglassWhileCreating,
            [] { throw std::runtime_error("window failed"); });
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, dispatcher.dispatch(QStringLiteral("failingCreation")));
        QVERIFY(!QApplication::overrideCursor());
    }

    void pagesOpenBesideTheProgram()
    {
        ShellCommands shell;
        QVERIFY(shell.dispatcher.dispatch(QStringLiteral("fg")));
        QVERIFY(shell.dispatcher.dispatch(QStringLiteral("lxfs")));
        const QString appDir = shell.fixture.state.appDir;
        QCOMPARE(shell.pages,
            QStringList({ appDir + QStringLiteral("htm/法规选编.htm"),
                appDir + QStringLiteral("htm/发行站及专业书店联系方式.htm") }));
        // Both pages ship with the program.
        for (const QString &page : std::as_const(shell.pages))
            QVERIFY2(QFile::exists(page), qPrintable(page));
    }

    void theHelpIsShownInsideTheProgram()
    {
        ShellCommands shell;
        QString shownText;
        shell.drive = [&](QDialog &dialog) {
            QDialog *modal = &dialog;
            QCOMPARE(modal->objectName(), QStringLiteral("helpWindow"));
            QCOMPARE(modal->parentWidget(), &shell.menu);
            shownText = modal->findChild<QTextBrowser *>(QStringLiteral("helpBrowser"))->toPlainText();
            QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("helpClose")), Qt::LeftButton);
            QVERIFY(!modal->isVisible());
        };
        QVERIFY(shell.dispatcher.dispatch(QStringLiteral("help")));
        QVERIFY(shownText.contains(QStringLiteral("章节练习")));
        QVERIFY(shownText.contains(QStringLiteral("模拟考试")));
    }

    void aMissingHelpPageGivesNoMessage()
    {
        ShellCommands shell;
        shell.fixture.state.appDir = shell.fixture.dir.path() + QStringLiteral("/nowhere/");
        QVERIFY(shell.dispatcher.dispatch(QStringLiteral("help")));
        QVERIFY(shell.fixture.modal.opened().isEmpty());
        QCOMPARE(shell.fixture.prompt.askCount(), 0);
    }

    void theAboutWindowShowsTheSameTwiceAndCloses()
    {
        ShellCommands shell;
        QStringList seen;
        for (int round = 0; round < 2; ++round) {
            shell.drive = [&](QDialog &dialog) {
                QDialog *modal = &dialog;
                QCOMPARE(modal->windowTitle(), QStringLiteral("关于"));
                QString texts;
                for (const QLabel *label : modal->findChildren<QLabel *>())
                    texts += label->text();
                seen.append(texts);
                QVERIFY(!modal->findChild<QLabel *>(QStringLiteral("aboutBanner"))->pixmap().isNull());
                QTest::mouseClick(
                    modal->findChild<QPushButton *>(QStringLiteral("aboutClose")), Qt::LeftButton);
                QVERIFY(!modal->isVisible());
            };
            QVERIFY(shell.dispatcher.dispatch(QStringLiteral("about")));
        }
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen.at(0), seen.at(1));
        QVERIFY(seen.at(0).contains(QStringLiteral("Vorlane")));
        QVERIFY(shell.menu.isVisible());
    }

    void quitComparesTodayWithThePlan_data()
    {
        QTest::addColumn<QVariantList>("plan"); // PlanMark, PlanAmount, PlanTime
        QTest::addColumn<QVariantList>("today"); // A2, D1; empty for no row
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("closed");
        const QVariant null;
        QTest::newRow("no log row, plan 0")
            << QVariantList { 0, 0, 0 } << QVariantList {} << int(QMessageBox::Ok)
            << QStringLiteral("恭喜完成今日学习计划！") << true;
        QTest::newRow("no log row, plan 1, cancel")
            << QVariantList { 0, 1, 0 } << QVariantList {} << int(QMessageBox::Cancel)
            << QStringLiteral("还未完成今日学习计划，要退出吗？") << false;
        QTest::newRow("below, ok") << QVariantList { 0, 5, 0 }
                                   << QVariantList { 4, QStringLiteral("01:00:00") } << int(QMessageBox::Ok)
                                   << QStringLiteral("还未完成今日学习计划，要退出吗？") << true;
        QTest::newRow("minutes 29 of 30")
            << QVariantList { 1, 0, 30 } << QVariantList { 0, QStringLiteral("0:29:59") }
            << int(QMessageBox::Cancel) << QStringLiteral("还未完成今日学习计划，要退出吗？") << false;
        QTest::newRow("above") << QVariantList { 0, 5, 0 } << QVariantList { 6, QStringLiteral("00:00:10") }
                               << int(QMessageBox::Ok) << QStringLiteral("超额完成学习计划，要注意休息呦！")
                               << true;
        QTest::newRow("mode 2 does nothing")
            << QVariantList { 2, 5, 5 } << QVariantList {} << int(QMessageBox::Ok) << QString() << false;
        QTest::newRow("null plan is 0")
            << QVariantList { null, null, null } << QVariantList { null, null } << int(QMessageBox::Ok)
            << QStringLiteral("恭喜完成今日学习计划！") << true;
    }

    void quitComparesTodayWithThePlan()
    {
        QFETCH(QVariantList, plan);
        QFETCH(QVariantList, today);
        QFETCH(int, answer);
        QFETCH(QString, text);
        QFETCH(bool, closed);
        ShellCommands shell(static_cast<QMessageBox::StandardButton>(answer));
        shell.fixture.exec(
            QStringLiteral("INSERT INTO tab_plan (PlanMark, PlanAmount, PlanTime) VALUES (?, ?, ?)"), plan);
        if (!today.isEmpty())
            shell.fixture.exec(
                QStringLiteral("INSERT INTO tab_rz (A1, A2, D1) VALUES ('2026-12-10', ?, ?)"), today);

        QVERIFY(shell.dispatcher.dispatch(QStringLiteral("quit")));
        if (text.isEmpty()) {
            QVERIFY(shell.messages.isEmpty());
        } else {
            QCOMPARE(shell.messages.size(), 1);
            const SystemMessage &message = shell.messages.first();
            QCOMPARE(message.caption, QStringLiteral("提示"));
            QCOMPARE(message.text, text);
            const bool question = text.startsWith(QStringLiteral("还未"));
            QCOMPARE(message.icon, question ? QMessageBox::Question : QMessageBox::Information);
            QCOMPARE(message.buttons,
                question ? QMessageBox::Ok | QMessageBox::Cancel
                         : QMessageBox::StandardButtons(QMessageBox::Ok));
        }
        QCOMPARE(!shell.menu.isVisible(), closed);
    }
};

VORLANE_UI_TEST(ShellCommandsTest)
#include "ShellCommandsTest.moc"
