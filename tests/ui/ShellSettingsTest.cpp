#include "ShellFixture.h"
#include "UiTest.h"

#include "ui/settings/SystemSettingsWindow.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/ShellCommands.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

using namespace vorlane;
using ui::SystemSettingsWindow;

namespace {

QString tune(const test::ShellFixture &fixture, const char *name)
{
    return fixture.state.appDir + QStringLiteral("sound/") + QString::fromUtf8(name) + QStringLiteral(".mid");
}

void chooseTune(SystemSettingsWindow &window, const QString &name)
{
    auto *list = window.findChild<QComboBox *>(QStringLiteral("tuneList"));
    list->setCurrentIndex(list->findText(name));
}

void insertSevenTypes(test::ShellFixture &fixture, int subject)
{
    for (int id = 1; id <= 7; ++id)
        fixture.exec(QStringLiteral("INSERT INTO tab_tx%1 (A1, B1, time) VALUES (?, ?, ?)").arg(subject),
            { id, QStringLiteral(" 题型%1 ").arg(id), 0.5 * id });
}

} // namespace

class ShellSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void theMusicFaceShowsOnlyTheMusic()
    {
        test::ShellFixture fixture;
        SystemSettingsWindow window(*fixture.context, false);
        window.show();
        auto *tunes = window.findChild<QComboBox *>(QStringLiteral("tuneList"));
        QCOMPARE(tunes->count(), 6);
        QCOMPARE(tunes->itemText(0), QStringLiteral("乐曲01"));
        QCOMPARE(tunes->itemText(5), QStringLiteral("乐曲06"));
        QCOMPARE(tunes->currentIndex(), -1);
        QVERIFY(window.findChild<QPushButton *>(QStringLiteral("musicSwitch"))->isChecked());
        QVERIFY(window.findChild<QPushButton *>(QStringLiteral("settingsClose"))->isVisible());
        QVERIFY(!window.findChild<QScrollArea *>());
        // Opening plays nothing.
        QVERIFY(fixture.fakeOutput->played.isEmpty());
    }

    void offAndOnWithoutATunePlaysTheFirst()
    {
        test::ShellFixture fixture;
        SystemSettingsWindow window(*fixture.context, false);
        window.show();
        auto *musicSwitch = window.findChild<QPushButton *>(QStringLiteral("musicSwitch"));
        QTest::mouseClick(musicSwitch, Qt::LeftButton);
        QVERIFY(!fixture.state.musicOn);
        QVERIFY(fixture.fakeOutput->played.isEmpty());
        QTest::mouseClick(musicSwitch, Qt::LeftButton);
        QVERIFY(fixture.state.musicOn);
        QCOMPARE(fixture.fakeOutput->played, QStringList { tune(fixture, "乐曲01") });
        QVERIFY(QFile::exists(fixture.fakeOutput->played.first()));
    }

    void aChosenTunePlaysAtOnceAndAgainAfterOffAndOn()
    {
        test::ShellFixture fixture;
        SystemSettingsWindow window(*fixture.context, false);
        window.show();
        chooseTune(window, QStringLiteral("乐曲03"));
        QCOMPARE(fixture.fakeOutput->played, QStringList { tune(fixture, "乐曲03") });
        auto *musicSwitch = window.findChild<QPushButton *>(QStringLiteral("musicSwitch"));
        QTest::mouseClick(musicSwitch, Qt::LeftButton);
        QTest::mouseClick(musicSwitch, Qt::LeftButton);
        QCOMPARE(
            fixture.fakeOutput->played, QStringList({ tune(fixture, "乐曲03"), tune(fixture, "乐曲03") }));
        // With the switch off a newly chosen tune stops the music instead of playing.
        QTest::mouseClick(musicSwitch, Qt::LeftButton);
        const int stops = fixture.fakeOutput->stops;
        chooseTune(window, QStringLiteral("乐曲05"));
        QCOMPARE(fixture.fakeOutput->played.size(), 2);
        QVERIFY(fixture.fakeOutput->stops > stops);
        QCOMPARE(fixture.state.musicFile, tune(fixture, "乐曲05"));
    }

    void musicFailuresAreTold_data()
    {
        QTest::addColumn<bool>("device");
        QTest::addColumn<bool>("playable");
        QTest::addColumn<QString>("message");
        QTest::newRow("no sound output") << false << true << QStringLiteral("没发现声卡！");
        QTest::newRow("tune cannot play") << true << false << QStringLiteral("无法播放背景音乐！");
    }

    void musicFailuresAreTold()
    {
        QFETCH(bool, device);
        QFETCH(bool, playable);
        QFETCH(QString, message);
        test::ShellFixture fixture;
        fixture.fakeOutput->device = device;
        fixture.fakeOutput->playable = playable;
        SystemSettingsWindow window(*fixture.context, false);
        window.show();
        fixture.prompt.queueAnswer(3);
        chooseTune(window, QStringLiteral("乐曲02"));
        QCOMPARE(fixture.prompt.askCount(), 1);
        QCOMPARE(fixture.prompt.lastCaption(), QStringLiteral("提示"));
        QCOMPARE(fixture.prompt.lastText(), message);
        QCOMPARE(fixture.prompt.lastIcon(), 1);
    }

    void theTimesFaceHasARowPerType()
    {
        test::ShellFixture fixture;
        insertSevenTypes(fixture, 2);
        fixture.state.examSubject = 2;
        SystemSettingsWindow window(*fixture.context, true);
        window.show();
        QCOMPARE(window.timeEdits().size(), 7);
        for (int r = 0; r < 7; ++r) {
            const QDoubleSpinBox *edit
                = window.findChild<QDoubleSpinBox *>(QStringLiteral("answerMinutesEdit%1").arg(r + 1));
            QVERIFY(edit);
            QCOMPARE(edit->value(), 0.5 * (r + 1));
            QCOMPARE(edit->minimum(), 0.1);
            QCOMPARE(edit->maximum(), 30.0);
            QCOMPARE(edit->decimals(), 1);
        }
        QVERIFY(!window.findChild<QPushButton *>(QStringLiteral("musicSwitch")));
        // About five rows show at a time; the rest scroll.
        const auto *area = window.findChild<QScrollArea *>(QStringLiteral("timesArea"));
        const int rowsShown = area->viewport()->height() / 20;
        QVERIFY2(rowsShown >= 4 && rowsShown <= 6, qPrintable(QString::number(rowsShown)));
        QVERIFY(area->verticalScrollBar()->maximum() > 0);
    }

    void closingTheTimesFaceSavesTheTimes()
    {
        test::ShellFixture fixture;
        insertSevenTypes(fixture, 1);
        SystemSettingsWindow window(*fixture.context, true);
        window.show();
        QDoubleSpinBox *second = window.timeEdits().at(1);
        second->selectAll();
        QTest::keyClicks(second, QStringLiteral("2.5"));
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("settingsClose")), Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QCOMPARE(fixture.scalar(QStringLiteral("SELECT time FROM tab_tx1 WHERE A1 = 2")).toDouble(), 2.5);
        QCOMPARE(fixture.state.answerTimeTable.size(), 7);
        QCOMPARE(fixture.state.answerTimeTable.at(1), (AnswerTime { 2, 1500 }));
        // The others are written back unchanged.
        QCOMPARE(fixture.scalar(QStringLiteral("SELECT time FROM tab_tx1 WHERE A1 = 7")).toDouble(), 3.5);
        QCOMPARE(fixture.state.answerTimeTable.at(6), (AnswerTime { 7, 2100 }));
        QCOMPARE(fixture.prompt.askCount(), 0);
    }

    // The edit shows one decimal within 0.1..30; closing without a change must not round or
    // raise the bank's own finer or smaller times.
    void untouchedTimesKeepTheirExactValue_data()
    {
        QTest::addColumn<double>("minutes");
        QTest::addColumn<int>("tick");
        QTest::newRow("finer than shown") << 1.25 << 750;
        QTest::newRow("below the edit's range") << 0.05 << 30;
    }

    void untouchedTimesKeepTheirExactValue()
    {
        QFETCH(double, minutes);
        QFETCH(int, tick);
        test::ShellFixture fixture;
        fixture.exec(
            QStringLiteral("INSERT INTO tab_tx1 (A1, B1, time) VALUES (61, '单选', ?)"), { minutes });
        fixture.exec(QStringLiteral("INSERT INTO tab_tx1 (A1, B1, time) VALUES (66, '多选', 1.25)"));
        SystemSettingsWindow window(*fixture.context, true);
        window.show();
        QDoubleSpinBox *other = window.timeEdits().at(1);
        other->selectAll();
        QTest::keyClicks(other, QStringLiteral("2"));
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("settingsClose")), Qt::LeftButton);
        QCOMPARE(
            fixture.scalar(QStringLiteral("SELECT time FROM tab_tx1 WHERE A1 = 61")).toDouble(), minutes);
        QCOMPARE(fixture.state.answerTimeTable.at(0), (AnswerTime { 61, tick }));
        // A typed time is taken as typed.
        QCOMPARE(fixture.scalar(QStringLiteral("SELECT time FROM tab_tx1 WHERE A1 = 66")).toDouble(), 2.0);
        QCOMPARE(fixture.state.answerTimeTable.at(1), (AnswerTime { 66, 1200 }));
    }

    void aFailedSaveIsToldAndKeepsWhatWasWritten()
    {
        test::ShellFixture fixture;
        insertSevenTypes(fixture, 1);
        fixture.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON tab_tx1 WHEN new.A1 = 4 "
                                    "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        SystemSettingsWindow window(*fixture.context, true);
        window.show();
        for (QDoubleSpinBox *edit : window.timeEdits())
            edit->setValue(9);
        fixture.prompt.queueAnswer(3);
        QTest::keyClick(&window, Qt::Key_Escape); // closing by any way saves
        QCOMPARE(fixture.prompt.lastCaption(), QStringLiteral("错误"));
        QCOMPARE(fixture.prompt.lastText(), QStringLiteral("保存设置失败！"));
        QCOMPARE(fixture.prompt.lastIcon(), 2);
        QVERIFY(!window.isVisible());
        QCOMPARE(fixture.scalar(QStringLiteral("SELECT count(*) FROM tab_tx1 WHERE time = 9")).toInt(), 3);
        QCOMPARE(fixture.scalar(QStringLiteral("SELECT time FROM tab_tx1 WHERE A1 = 5")).toDouble(), 2.5);
    }

    void theMenuOpensEachFace_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("timesOnly");
        QTest::newRow("music") << QStringLiteral("music") << false;
        QTest::newRow("sztime") << QStringLiteral("sztime") << true;
    }

    void theMenuOpensEachFace()
    {
        QFETCH(QString, word);
        QFETCH(bool, timesOnly);
        test::ShellFixture fixture;
        fixture.state.examSubject = 0;
        ui::CommandDispatcher dispatcher;
        QWidget menu;
        ui::addShellCommands(dispatcher, *fixture.context, &menu);
        bool faceSeen = false;
        QStringList cutOff;
        fixture.modal.setDriver([&](QDialog &modal) {
            auto *window = qobject_cast<SystemSettingsWindow *>(&modal);
            QVERIFY(window && window->parentWidget() == &menu);
            // Each face shows its own controls, none of them cut off by the window's edge.
            faceSeen = window->timesOnly() == timesOnly
                && (window->findChild<QWidget *>(QStringLiteral("musicSwitch")) != nullptr) == !timesOnly
                && (window->findChild<QWidget *>(QStringLiteral("timesArea")) != nullptr) == timesOnly;
            for (QWidget *part : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                if (!part->isHidden() && !window->rect().contains(part->geometry()))
                    cutOff.append(part->objectName());
            QTest::mouseClick(
                window->findChild<QPushButton *>(QStringLiteral("settingsClose")), Qt::LeftButton);
        });
        QVERIFY(dispatcher.dispatch(word));
        QVERIFY(faceSeen);
        QCOMPARE(fixture.state.examSubject, 1);
        QVERIFY2(cutOff.isEmpty(), qPrintable(cutOff.join(QLatin1Char(','))));
    }
};

VORLANE_UI_TEST(ShellSettingsTest)
#include "ShellSettingsTest.moc"
