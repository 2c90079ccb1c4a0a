#include "ExamUiFixture.h"
#include "UiTest.h"

#include "core/TimeText.h"
#include "ui/exam/ExamCommands.h"
#include "ui/exam/ExamWidgets.h"
#include "ui/exam/ExamWindow.h"
#include "ui/settings/SystemSettingsWindow.h"
#include "ui/shell/CommandDispatcher.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace vorlane;
using namespace vorlane::test;
using vorlane::ui::ExamWindow;

class ExamWindowTest : public QObject
{
    Q_OBJECT

private:
    // Answers the current question with option A and moves on with Enter, `count` times.
    static void answerWithKeys(ExamWindow &window, int count)
    {
        for (int i = 0; i < count; ++i) {
            QTest::keyClick(&window, Qt::Key_A);
            QTest::keyClick(&window, Qt::Key_Return);
        }
    }

    static QPushButton *button(ExamWindow &window, const char *name)
    {
        return child<QPushButton>(window, name);
    }

private slots:
    void numberButtonsFollowThePaperSize_data()
    {
        QTest::addColumn<int>("single");
        QTest::addColumn<int>("multiple");
        QTest::newRow("80 questions") << 60 << 20;
        QTest::newRow("5 questions") << 5 << 0;
    }

    void numberButtonsFollowThePaperSize()
    {
        QFETCH(int, single);
        QFETCH(int, multiple);
        ExamUiFixture f;
        ExamWindow window(*f.context);
        QVERIFY(window.openPaper(f.makePaper(single, multiple)));
        const int count = single + multiple;
        for (int i = 1; i <= ExamWindow::NumberButtonCount; ++i)
            QCOMPARE(child<QWidget>(window, QStringLiteral("examNumber%1").arg(i).toLatin1().constData())
                         ->isEnabled(),
                i <= count);
        QCOMPARE(window.currentRow(), 1);
        QCOMPARE(child<QLabel>(window, "examTypeHeading")->text(),
            QStringLiteral("单项选择题 每题1分 共%1分").arg(single));
        QVERIFY(!button(window, "examExport")->isEnabled()); // a paper being sat is not exported
        QVERIFY(window.isClockRunning());
    }

    void submittingWithNoneAnswered_data()
    {
        QTest::addColumn<bool>("full");
        QTest::newRow("100 questions: dropped at once") << true;
        QTest::newRow("80 questions: graded 0") << false;
    }

    void submittingWithNoneAnswered()
    {
        QFETCH(bool, full);
        ExamUiFixture f;
        ExamWindow window(*f.context);
        QVERIFY(window.openPaper(full ? f.makeFullPaper() : f.makePaper(60, 20)));
        window.show();
        f.prompt.queueAnswer(ui::PromptDialog::Left);
        QTest::mouseClick(button(window, "examSubmit"), Qt::LeftButton);
        if (full) {
            QVERIFY(f.prompt.lastText().isEmpty()); // nothing asked
            QVERIFY(!window.isVisible());
            QVERIFY(!f.db->tableExists(QStringLiteral("tab_exam1")));
            QCOMPARE(f.scalar(QStringLiteral("SELECT count(*) FROM tab_cj")).toInt(), 0);
        } else {
            QCOMPARE(f.prompt.lastText(), QStringLiteral("你还有80道题未做，确定要交卷吗？"));
            QVERIFY(window.isVisible());
            QCOMPARE(window.windowTitle(), QStringLiteral("查阅试卷"));
            QCOMPARE(f.scalar(QStringLiteral("SELECT A6 FROM tab_cj")).toDouble(), 0.0);
            QVERIFY(!f.scalar(QStringLiteral("SELECT A6 FROM tab_cj")).isNull());
            QCOMPARE(child<QLabel>(window, "examScore")->text(), QStringLiteral("得分：0 分"));
            QVERIFY(!button(window, "examSubmit")->isEnabled());
        }
    }

    void askingWithThreeUnanswered()
    {
        ExamUiFixture f;
        ExamWindow window(*f.context);
        QVERIFY(window.openPaper(f.makePaper(5)));
        window.show();
        answerWithKeys(window, 2);
        QCOMPARE(window.currentRow(), 3);
        f.prompt.queueAnswer(ui::PromptDialog::Middle); // 取消
        QTest::mouseClick(button(window, "examSubmit"), Qt::LeftButton);
        QCOMPARE(f.prompt.lastText(), QStringLiteral("你还有3道题未做，确定要交卷吗？"));
        QVERIFY(window.isVisible());
        QVERIFY(window.paper().isNew());
        QVERIFY(window.isClockRunning());
        // The two answers were counted as practice answers.
        QCOMPARE(f.scalar(QStringLiteral("SELECT sum(E3) FROM tab_answ")).toInt(), 2);
        QCOMPARE(f.scalar(QStringLiteral("SELECT A2 FROM tab_rz")).toInt(), 2);
    }

    void abandoningCountsTheTimeOnlyWhenMostWasAnswered_data()
    {
        QTest::addColumn<int>("answered");
        QTest::addColumn<QString>("logged");
        QTest::newRow("40 unanswered") << 20 << QStringLiteral("00:05:10");
        QTest::newRow("60 unanswered") << 0 << QStringLiteral("00:00:10");
    }

    void abandoningCountsTheTimeOnlyWhenMostWasAnswered()
    {
        QFETCH(int, answered);
        QFETCH(QString, logged);
        ExamUiFixture f;
        f.exec(QStringLiteral("INSERT INTO tab_rz (A1, A2, D1) VALUES ('2026-03-08', 0, '00:00:10')"));
        ExamWindow window(*f.context);
        QVERIFY(window.openPaper(f.makePaper(60)));
        window.show();
        answerWithKeys(window, answered);
        f.clock.advance(300);
        f.prompt.queueAnswer(ui::PromptDialog::Right); // 作废
        QTest::mouseClick(button(window, "examSubmit"), Qt::LeftButton);
        QCOMPARE(f.prompt.lastText(), QStringLiteral("你还有%1道题未做，确定要交卷吗？").arg(60 - answered));
        QVERIFY(!window.isVisible());
        QVERIFY(!f.db->tableExists(QStringLiteral("tab_exam1")));
        QCOMPARE(f.scalar(QStringLiteral("SELECT count(*) FROM tab_cj")).toInt(), 0);
        QCOMPARE(f.scalar(QStringLiteral("SELECT D1 FROM tab_rz")).toString(), logged);
    }

    void pauseDisablesAndRestoresExactly_data()
    {
        QTest::addColumn<bool>("atLast");
        QTest::newRow("first question") << false;
        QTest::newRow("last question") << true;
    }

    void pauseDisablesAndRestoresExactly()
    {
        QFETCH(bool, atLast);
        ExamUiFixture f;
        ExamWindow window(*f.context);
        QVERIFY(window.openPaper(f.makePaper(3)));
        window.show();
        if (atLast)
            QTest::mouseClick(child<QWidget>(window, "examNumber3"), Qt::LeftButton);
        QPushButton *previous = button(window, "examPrevious");
        QPushButton *next = button(window, "examNext");
        QCOMPARE(previous->isEnabled(), atLast);
        QCOMPARE(next->isEnabled(), !atLast);
        const char *const paused[] = { "examSubmit", "examNote", "examClose", "examAnswerPanel",
            "examNumberBoard", "examPrevious", "examNext" };

        QTest::mouseClick(button(window, "examPause"), Qt::LeftButton);
        QCOMPARE(button(window, "examPause")->text(), QStringLiteral("继续考试"));
        for (const char *name : paused)
            QVERIFY2(!child<QWidget>(window, name)->isEnabled(), name);
        QVERIFY(child<QWidget>(window, "examPauseCover")->isVisible());
        QVERIFY(!window.isClockRunning());
        f.clock.advance(600); // paused time does not count
        window.tick();
        QCOMPARE(child<QLabel>(window, "examRunningTime")->text(), QStringLiteral("0:00:00"));

        QTest::mouseClick(button(window, "examPause"), Qt::LeftButton);
        QCOMPARE(button(window, "examPause")->text(), QStringLiteral("暂停考试"));
        for (const char *name :
            { "examSubmit", "examNote", "examClose", "examAnswerPanel", "examNumberBoard" })
            QVERIFY2(child<QWidget>(window, name)->isEnabled(), name);
        QCOMPARE(previous->isEnabled(), atLast);
        QCOMPARE(next->isEnabled(), !atLast);
        QVERIFY(!child<QWidget>(window, "examPauseCover")->isVisible());
        QVERIFY(window.isClockRunning());
    }

    void examTimeEndsTheExam_data()
    {
        QTest::addColumn<int>("examTime");
        QTest::addColumn<int>("advance");
        QTest::addColumn<bool>("ends");
        QTest::newRow("one second short") << 120 << 119 << false;
        QTest::newRow("reached") << 120 << 120 << true;
        QTest::newRow("passed between ticks") << 120 << 125 << true;
        QTest::newRow("no limit") << 0 << 100000 << false;
    }

    void examTimeEndsTheExam()
    {
        QFETCH(int, examTime);
        QFETCH(int, advance);
        QFETCH(bool, ends);
        ExamUiFixture f;
        f.setPlan(0, examTime);
        ExamWindow window(*f.context);
        QVERIFY(window.openPaper(f.makePaper(5)));
        window.show();
        QTest::keyClick(&window, Qt::Key_A); // answered, not yet left: time-up still stores it
        f.clock.advance(advance);
        f.prompt.queueAnswer(ui::PromptDialog::Middle);
        window.tick();
        QCOMPARE(!window.paper().isNew(), ends);
        if (ends) {
            QCOMPARE(f.prompt.lastText(), QStringLiteral("很遗憾，考试时间到了！"));
            QCOMPARE(f.scalar(QStringLiteral("SELECT A6 FROM tab_cj")).toDouble(), 1.0);
            QCOMPARE(f.scalar(QStringLiteral("SELECT D2 FROM tab_cj")).toString(), elapsedTimeText(advance));
            QVERIFY(!window.isClockRunning());
        } else {
            QVERIFY(window.isClockRunning());
            QVERIFY(f.scalar(QStringLiteral("SELECT A6 FROM tab_cj")).isNull());
        }
    }

    void gradingFailureBringsTheWindowBack()
    {
        ExamUiFixture f;
        ExamWindow window(*f.context);
        QVERIFY(window.openPaper(f.makePaper(5)));
        window.show();
        answerWithKeys(window, 1);
        f.exec(QStringLiteral("DROP TABLE tab_tx1")); // grading cannot read the points
        f.prompt.queueAnswers({ ui::PromptDialog::Left, ui::PromptDialog::Middle });
        QTest::mouseClick(button(window, "examSubmit"), Qt::LeftButton);
        QCOMPARE(f.prompt.queuedAnswers(), 0);
        QCOMPARE(f.prompt.lastText(), QStringLiteral("发生错误！"));
        QVERIFY(!f.progress.isVisible());
        QVERIFY(window.isVisible());
        QVERIFY(window.paper().isNew());
        QVERIFY(button(window, "examSubmit")->isEnabled());
        QVERIFY(window.isClockRunning());
        QVERIFY(f.db->tableExists(QStringLiteral("tab_exam1")));
        QVERIFY(f.scalar(QStringLiteral("SELECT A6 FROM tab_cj")).isNull());
        QCOMPARE(f.scalar(QStringLiteral("SELECT E2_1 FROM tab_exam1 WHERE E2_1<>''")).toString(),
            QStringLiteral("A"));
    }

    void reviewBelowThePassMarkIsDroppedOnClosing_data()
    {
        QTest::addColumn<int>("leastMark");
        QTest::addColumn<bool>("kept");
        QTest::newRow("one below the mark: dropped") << 5 << false;
        QTest::newRow("at the mark: kept") << 4 << true;
    }

    void reviewBelowThePassMarkIsDroppedOnClosing()
    {
        QFETCH(int, leastMark);
        QFETCH(bool, kept);
        ExamUiFixture f;
        f.setPlan(leastMark, 7200);
        ExamWindow window(*f.context);
        QVERIFY(window.openPaper(f.makePaper(5)));
        window.show();
        answerWithKeys(window, 4); // four right: score 4
        f.prompt.queueAnswer(ui::PromptDialog::Left);
        QTest::mouseClick(button(window, "examSubmit"), Qt::LeftButton);
        QCOMPARE(child<QLabel>(window, "examScore")->text(), QStringLiteral("得分：4 分"));
        QVERIFY(button(window, "examShowAnswer")->isEnabled());
        QVERIFY(!button(window, "examExplain")->isEnabled()); // no explanation in this bank

        // Voiding from the review reaches the question's own row.
        QTest::mouseClick(button(window, "examVoid"), Qt::LeftButton);
        QCOMPARE(child<QLabel>(window, "examStatus")->text(), QStringLiteral("本题已被您作废！"));
        QCOMPARE(
            f.scalar(QStringLiteral("SELECT F1 FROM tab_answ WHERE A1=?1"), { window.paper().question(1).id })
                .toInt(),
            1);

        QTest::mouseClick(button(window, "examClose"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QCOMPARE(f.db->tableExists(QStringLiteral("tab_exam1")), kept);
        QCOMPARE(f.scalar(QStringLiteral("SELECT count(*) FROM tab_cj")).toInt(), kept ? 1 : 0);
    }

    // The settings button opens the system settings over the exam window, owned by it.
    void settingsOpenOverTheExamWindow()
    {
        ExamUiFixture f;
        ExamWindow window(*f.context);
        QVERIFY(window.openPaper(f.makePaper(3)));
        window.show();
        QWidget *owner = nullptr;
        bool timesOnly = true;
        f.modal.setDriver([&](QDialog &dialog) {
            auto *settings = qobject_cast<ui::SystemSettingsWindow *>(&dialog);
            QVERIFY(settings);
            owner = settings->parentWidget();
            timesOnly = settings->timesOnly();
            QTest::mouseClick(child<QPushButton>(*settings, "settingsClose"), Qt::LeftButton);
        });
        QTest::mouseClick(button(window, "examSettings"), Qt::LeftButton);
        QCOMPARE(owner, &window);
        QVERIFY(!timesOnly);
        QCOMPARE(f.modal.opened().size(), 1);
    }

    void noteBelongsToThePaperRowOnly()
    {
        ExamUiFixture f;
        ExamWindow window(*f.context);
        QVERIFY(window.openPaper(f.makePaper(3)));
        window.show();
        f.modal.setDriver([&](QDialog &note) {
            QCOMPARE(note.objectName(), QStringLiteral("noteWindow"));
            QCOMPARE(note.parentWidget(), &window);
            child<QPlainTextEdit>(note, "noteText")->setPlainText(QStringLiteral("记住第三条"));
            QTest::mouseClick(child<QPushButton>(note, "closeButton"), Qt::LeftButton);
        });
        QTest::mouseClick(button(window, "examNote"), Qt::LeftButton);
        QCOMPARE(button(window, "examNote")->text(), QStringLiteral("有内容"));
        const QString id = window.paper().question(1).id;
        QCOMPARE(f.scalar(QStringLiteral("SELECT A14 FROM tab_exam1 WHERE A1=?1"), { id }).toString(),
            QStringLiteral("记住第三条"));
        QVERIFY(f.scalar(QStringLiteral("SELECT A14 FROM tab_answ WHERE A1=?1"), { id }).isNull());
    }

    void generationFailureShowsTheMessageAndKeepsNothing_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("subject");
        QTest::newRow("mnks") << QStringLiteral("mnks") << 1;
        QTest::newRow("mnks5") << QStringLiteral("mnks5") << 5;
    }

    void generationFailureShowsTheMessageAndKeepsNothing()
    {
        QFETCH(QString, word);
        QFETCH(int, subject);
        ExamUiFixture f;
        f.state.examSubject = 3;
        ui::CommandDispatcher dispatcher;
        ui::addExamCommands(dispatcher, *f.context, nullptr);
        f.prompt.queueAnswer(ui::PromptDialog::Middle);
        QVERIFY(dispatcher.dispatch(word));
        QCOMPARE(f.prompt.lastText(), QStringLiteral("没有发现题目！"));
        QCOMPARE(f.state.examSubject, subject);
        QCOMPARE(f.scalar(QStringLiteral("SELECT count(*) FROM tab_cj")).toInt(), 0);
        QVERIFY(!f.progress.isVisible());
        QVERIFY(dispatcher.serves(QStringLiteral("cj")));
        QVERIFY(dispatcher.serves(QStringLiteral("szks")));
    }
};

VORLANE_UI_TEST(ExamWindowTest)

#include "ExamWindowTest.moc"
