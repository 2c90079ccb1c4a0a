#include "UiTest.h"

#include "ui/widgets/AnswerPanel.h"
#include "ui/widgets/IndicatorBoard.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using vorlane::ui::AnswerPanel;

class WidgetsAnswerPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void showsOptionsUpToTheCountAndReadsThem_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("shown");
        QTest::newRow("single") << 0 << 4 << "CB"
                                << "B" << 4;
        QTest::newRow("multiple in A-to-F order") << 1 << 5 << "DAC"
                                                  << "ACD" << 5;
        QTest::newRow("multiple toggled off") << 1 << 4 << "AA"
                                              << "" << 4;
        QTest::newRow("indefinite") << 5 << 8 << "FB"
                                    << "BF" << 6;
        QTest::newRow("no options") << 0 << 0 << ""
                                    << "" << 0;
    }
    void showsOptionsUpToTheCountAndReadsThem()
    {
        QFETCH(int, page);
        QFETCH(int, count);
        QFETCH(QString, clicks);
        QFETCH(QString, answer);
        QFETCH(int, shown);
        AnswerPanel panel;
        panel.show();
        panel.setPage(page);
        panel.restore(count, QString());
        int visible = 0;
        for (int i = 0; i < 6; ++i)
            visible += panel.option(page, i)->isVisible() ? 1 : 0;
        QCOMPARE(visible, shown);
        for (const QChar letter : clicks)
            QTest::mouseClick(panel.option(page, letter.unicode() - u'A'), Qt::LeftButton);
        QCOMPARE(panel.read(count), answer);
        // Restoring what was read gives the same widgets back.
        AnswerPanel restored;
        restored.setPage(page);
        restored.restore(count, answer);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(restored.option(page, i)->isChecked(), panel.option(page, i)->isChecked());
    }

    void aHiddenOptionPressedByKeyReleasesTheVisibleChoice()
    {
        AnswerPanel panel;
        panel.setPage(0);
        panel.restore(4, QStringLiteral("B"));
        panel.pressOption(5);
        QVERIFY(!panel.option(0, 1)->isChecked());
        QCOMPARE(panel.read(4), QString());
    }

    void theOtherPagesReadTheirInputs()
    {
        AnswerPanel panel;
        panel.show();
        panel.setPage(3);
        QCOMPARE(panel.toolTip(), QStringLiteral("根据判断选择“正确”或者“错误”"));
        QTest::mouseClick(panel.trueFalseButton(1), Qt::LeftButton);
        QCOMPARE(panel.read(1), QStringLiteral("B"));
        QCOMPARE(panel.displayReading(), QStringLiteral("错"));
        panel.setPage(2);
        QTest::keyClicks(panel.fillIn(), QStringLiteral("  x,y "));
        QCOMPARE(panel.read(1), QStringLiteral("x,y"));
        panel.setPage(4);
        QCOMPARE(panel.read(1), QString());
        panel.selfAssessed()->setCurrentIndex(1);
        QCOMPARE(panel.read(1), QStringLiteral("1"));
        panel.restore(1, QStringLiteral("0"));
        QCOMPARE(panel.selfAssessed()->currentIndex(), 0);
        panel.setPage(99); // a type without a page keeps the page shown
        QCOMPARE(panel.page(), 4);
    }

    void theIndicatorBoardPressesOnlyEnabledButtons()
    {
        vorlane::ui::IndicatorBoard board(vorlane::ui::IndicatorPictures {});
        QSignalSpy pressed(&board, &vorlane::ui::IndicatorBoard::questionPressed);
        board.setButton(0, 21, vorlane::IndicatorState::Right);
        board.setButton(1, 0, vorlane::IndicatorState::NotAnswered);
        board.press(1);
        QCOMPARE(pressed.count(), 0);
        QVERIFY(!board.button(1)->isEnabled());
        board.press(0);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed.at(0).at(0).toInt(), 21);
        QVERIFY(board.button(0)->isChecked());
    }
};

VORLANE_UI_TEST(WidgetsAnswerPanelTest)
#include "WidgetsAnswerPanelTest.moc"
