#include "ShellFixture.h"
#include "UiTest.h"

#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/MenuWindow.h"
#include "ui/shell/ShellCommands.h"

#include <QLabel>
#include <QPushButton>

#include <stdexcept>

using namespace vorlane;
using ui::CommandDispatcher;
using ui::MenuWindow;

namespace {

// A menu whose dispatcher serves a few words that only record themselves.
struct RecordingMenu
{
    explicit RecordingMenu(const QStringList &served)
    {
        for (const QString &word : served)
            dispatcher.add(word, CommandDispatcher::Cursor::Unchanged, [this, word] { chosen.append(word); });
        menu = std::make_unique<MenuWindow>(*fixture.context, dispatcher);
        menu->resize(1024, 768);
    }

    test::ShellFixture fixture;
    CommandDispatcher dispatcher;
    std::unique_ptr<MenuWindow> menu;
    QStringList chosen;
};

} // namespace

class ShellMenuTest : public QObject
{
    Q_OBJECT

private slots:
    void everyWordOfTheMenuHasANamedItem()
    {
        RecordingMenu menu({});
        const QStringList expected { QStringLiteral("lx"), QStringLiteral("mnks"), QStringLiteral("lx2"),
            QStringLiteral("mnks2"), QStringLiteral("lx3"), QStringLiteral("mnks3"), QStringLiteral("lx4"),
            QStringLiteral("mnks4"), QStringLiteral("lx5"), QStringLiteral("mnks5"), QStringLiteral("ksdg"),
            QStringLiteral("cj"), QStringLiteral("rz"), QStringLiteral("tj"), QStringLiteral("szjh"),
            QStringLiteral("szks"), QStringLiteral("sztime"), QStringLiteral("music"), QStringLiteral("sj"),
            QStringLiteral("jcsj"), QStringLiteral("sjbf"), QStringLiteral("fg"), QStringLiteral("lxfs"),
            QStringLiteral("help"), QStringLiteral("about"), QStringLiteral("quit") };
        QCOMPARE(menu.menu->words(), expected);
        for (const QString &word : expected)
            QVERIFY(menu.menu->findChild<QPushButton *>(QStringLiteral("menu_") + word));
    }

    void onlyServedItemsAreShownAndTheMenuGrows()
    {
        RecordingMenu menu({ QStringLiteral("about"), QStringLiteral("mnks3") });
        menu.menu->show();
        for (const QString &word : menu.menu->words()) {
            const bool served = word == QLatin1String("about") || word == QLatin1String("mnks3");
            QCOMPARE(menu.menu->item(word)->isVisible(), served);
        }
        menu.dispatcher.add(QStringLiteral("lx"), CommandDispatcher::Cursor::Unchanged, [] {});
        menu.menu->refreshItems();
        QVERIFY(menu.menu->item(QStringLiteral("lx"))->isVisible());
    }

    void subjectTitlesComeFromTheBank()
    {
        RecordingMenu probe({});
        probe.fixture.exec(QStringLiteral(
            "INSERT INTO tab_kmmc (C1, C2) VALUES ('1', '综合知识'), ('2', '科目二　专业实务')"));
        MenuWindow menu(*probe.fixture.context, probe.dispatcher);
        QCOMPARE(
            menu.findChild<QLabel *>(QStringLiteral("subjectTitle1"))->text(), QStringLiteral("综合知识"));
        QCOMPARE(
            menu.findChild<QLabel *>(QStringLiteral("subjectTitle2"))->text(), QStringLiteral("专业实务"));
        // A subject the bank does not name still has its number.
        QCOMPARE(menu.findChild<QLabel *>(QStringLiteral("subjectTitle5"))->text(), QStringLiteral("科目五"));
    }

    // An error out of a window that opens from the menu is told in the program's message box;
    // the program goes on and the cursor is the arrow again.
    void aFailingWindowIsToldAndTheMenuStays_data()
    {
        QTest::addColumn<int>("cursor");
        QTest::newRow("hourglass") << int(CommandDispatcher::Cursor::Hourglass);
        QTest::newRow("hourglass while creating") << int(CommandDispatcher::Cursor::HourglassWhileCreating);
        QTest::newRow("unchanged") << int(CommandDispatcher::Cursor::Unchanged);
    }

    void aFailingWindowIsToldAndTheMenuStays()
    {
        QFETCH(int, cursor);
        RecordingMenu probe({});
        probe.dispatcher.add(QStringLiteral("rz"), CommandDispatcher::Cursor(cursor),
            [] { throw std::runtime_error("无法打开学习日志"); });
        probe.menu->refreshItems();
        probe.menu->show();
        probe.fixture.prompt.queueAnswer(3);
        QTest::mouseClick(probe.menu->item(QStringLiteral("rz")), Qt::LeftButton);
        QCOMPARE(probe.fixture.prompt.askCount(), 1);
        QCOMPARE(probe.fixture.prompt.lastCaption(), QStringLiteral("错误"));
        QCOMPARE(probe.fixture.prompt.lastText(), QStringLiteral("无法打开学习日志"));
        QCOMPARE(probe.fixture.prompt.lastIcon(), 2);
        QVERIFY(probe.menu->isVisible());
        QVERIFY(!QApplication::overrideCursor());
    }

    void partsNameTheSubjectsWithoutARow()
    {
        RecordingMenu probe({});
        probe.fixture.exec(
            QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C2) VALUES (1, '0', '专业科目'), (2, '06', "
                           "'科目四　模块一　冷链'), "
                           "(3, '07', '科目四　模块二　危险品'), (4, '05', '科目五　案例分析')"));
        MenuWindow menu(*probe.fixture.context, probe.dispatcher);
        QCOMPARE(menu.findChild<QLabel *>(QStringLiteral("subjectTitle4"))->text(),
            QStringLiteral("冷链、危险品"));
        QCOMPARE(
            menu.findChild<QLabel *>(QStringLiteral("subjectTitle5"))->text(), QStringLiteral("案例分析"));
    }

    void hiddenToolsLeaveNoGap()
    {
        RecordingMenu menu({ QStringLiteral("szks"), QStringLiteral("music") });
        menu.menu->show();
        const QPushButton *first = menu.menu->item(QStringLiteral("szks"));
        const QPushButton *second = menu.menu->item(QStringLiteral("music"));
        QCOMPARE(first->y(), second->y());
        QVERIFY(first->x() < second->x());
        QVERIFY(!menu.menu->findChild<QWidget *>(QStringLiteral("toolGroup1"))->isVisible());
    }

    void aClickSendsTheItemsWord()
    {
        RecordingMenu menu({ QStringLiteral("lx2"), QStringLiteral("about") });
        menu.menu->show();
        QTest::mouseClick(menu.menu->item(QStringLiteral("lx2")), Qt::LeftButton);
        QTest::mouseClick(menu.menu->item(QStringLiteral("about")), Qt::LeftButton);
        QCOMPARE(menu.chosen, QStringList({ QStringLiteral("lx2"), QStringLiteral("about") }));
    }

    void theKeyboardReachesEveryItem()
    {
        const QStringList served { QStringLiteral("lx"), QStringLiteral("mnks"), QStringLiteral("cj"),
            QStringLiteral("help"), QStringLiteral("quit") };
        RecordingMenu menu(served);
        menu.menu->show();
        QVERIFY(QTest::qWaitForWindowExposed(menu.menu.get()));
        menu.menu->activateWindow();
        menu.menu->setFocus();
        QTest::keyClick(menu.menu.get(), Qt::Key_Down); // the window itself: focus the first item
        for (int i = 0; i < served.size(); ++i) {
            QWidget *focused = QApplication::focusWidget();
            QVERIFY(focused);
            QTest::keyClick(focused, Qt::Key_Return);
            QTest::keyClick(focused, Qt::Key_Down);
        }
        QCOMPARE(menu.chosen, served);
        // Moving back from the first item wraps round to the last.
        menu.menu->item(QStringLiteral("lx"))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), menu.menu->item(QStringLiteral("quit")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(menu.chosen.last(), QStringLiteral("quit"));
    }

    void showingLoadsTheAnswerTimesOfTheExamSubject()
    {
        RecordingMenu menu({});
        menu.fixture.exec(QStringLiteral(
            "INSERT INTO tab_tx1 (A1, B1, time) VALUES (1, '单选题', 1.5), (2, '多选题', 0.05)"));
        menu.fixture.exec(QStringLiteral("INSERT INTO tab_tx3 (A1, B1, time) VALUES (7, '案例题', 3)"));
        menu.fixture.state.examSubject = 0;
        menu.menu->show();
        QCOMPARE(menu.fixture.state.examSubject, 1);
        QCOMPARE(menu.fixture.state.answerTimeTable, (QList<AnswerTime> { { 1, 900 }, { 2, 30 } }));
        QVERIFY(menu.fixture.state.musicOn);

        // A click on the background loads the subject of the last mock exam again.
        menu.fixture.state.examSubject = 3;
        QTest::mouseClick(menu.menu.get(), Qt::LeftButton, {}, QPoint(5, menu.menu->height() - 5));
        QCOMPARE(menu.fixture.state.answerTimeTable, (QList<AnswerTime> { { 7, 1800 } }));

        // A subject without types keeps the table as it was.
        menu.fixture.state.examSubject = 4;
        QTest::mouseClick(menu.menu.get(), Qt::LeftButton, {}, QPoint(5, menu.menu->height() - 5));
        QCOMPARE(menu.fixture.state.answerTimeTable, (QList<AnswerTime> { { 7, 1800 } }));
    }

    void theArtworkCheckFindsAMissingPicture()
    {
        test::ShellFixture fixture;
        QVERIFY(MenuWindow::artworkAvailable(fixture.state.appDir));
        QTemporaryDir copy;
        QDir(copy.path()).mkpath(QStringLiteral("pic"));
        const QStringList files = MenuWindow::artworkFiles();
        for (qsizetype i = 1; i < files.size(); ++i)
            QFile::copy(fixture.state.appDir + files.at(i), copy.filePath(files.at(i)));
        QVERIFY(!MenuWindow::artworkAvailable(copy.path() + QLatin1Char('/')));
        QFile damaged(copy.filePath(files.first()));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("not a picture");
        damaged.close();
        QVERIFY(!MenuWindow::artworkAvailable(copy.path() + QLatin1Char('/')));
    }
};

VORLANE_UI_TEST(ShellMenuTest)
#include "ShellMenuTest.moc"
