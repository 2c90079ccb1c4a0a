#include "PracticeUiBank.h"
#include "UiTest.h"

#include "ui/widgets/AnswerPanel.h"
#include "ui/widgets/PracticeToolWindows.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSplitter>
#include <QTextBrowser>
#include <QTimer>

using namespace vorlane;
using namespace vorlane::test;
using vorlane::ui::PracticeWindow;

namespace {

QString labelText(QWidget *window, const char *name)
{
    auto *label = window->findChild<QLabel *>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

QString buttonText(QWidget *window, const char *name)
{
    auto *button = window->findChild<QAbstractButton *>(QLatin1String(name));
    return button ? button->text() : QString();
}

QString currentId(PracticeWindow &window)
{
    return window.session().at(window.session().currentPos()).id;
}

// Answers the question shown on the single-choice page.
void choose(PracticeWindow &window, const char *letter)
{
    click(&window, QStringLiteral("option0") + QLatin1String(letter));
}

} // namespace

class PracticeWindowTest : public QObject
{
    Q_OBJECT

private slots:
    // One counted answer through the window, from each history of the question; pressing
    // "完成" again with the same choice counts nothing more.
    void recordsEachRowOfTheEffectTable_data()
    {
        QTest::addColumn<QString>("before"); // E2 before; "-" = never answered
        QTest::addColumn<int>("scoreBefore");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<int>("score");
        QTest::addColumn<QList<int>>("chapter"); // C4, D1, D2
        QTest::addColumn<QList<int>>("log"); // A2, A3, B1, B2
        QTest::addColumn<QList<int>>("point"); // q1, q2, q4
        QTest::newRow("never answered, right") << "-" << 0 << "B" << 0 << QList<int> { 1, 1, 0 }
                                               << QList<int> { 1, 0, 1, 0 } << QList<int> { 1, 1, 0 };
        QTest::newRow("never answered, wrong") << "-" << 0 << "A" << -3 << QList<int> { 1, 1, 1 }
                                               << QList<int> { 1, 1, 1, 1 } << QList<int> { 1, 1, 1 };
        QTest::newRow("answered before, right") << "C" << -2 << "B" << -1 << QList<int> { 0, 1, 0 }
                                                << QList<int> { 1, 0, 1, 0 } << QList<int> { 0, 1, 0 };
        QTest::newRow("answered before, wrong") << "B" << 0 << "A" << -1 << QList<int> { 0, 1, 1 }
                                                << QList<int> { 1, 1, 1, 1 } << QList<int> { 0, 1, 1 };
    }
    void recordsEachRowOfTheEffectTable()
    {
        QFETCH(QString, before);
        QFETCH(int, scoreBefore);
        QFETCH(QString, letter);
        QFETCH(int, score);
        QFETCH(QList<int>, chapter);
        QFETCH(QList<int>, log);
        QFETCH(QList<int>, point);
        PracticeUiBank bank;
        bank.addQuestion(QStringLiteral("q1"), QStringLiteral("100101"), 61, QStringLiteral("B"), 4,
            { QStringLiteral("1100010001") });
        bank.exec(QStringLiteral("UPDATE tab_answ SET E2=?, E4=?, E1='2026-03-01', E3=1"),
            { before == QLatin1String("-") ? QVariant() : QVariant(before), scoreBefore });
        auto window = bank.openPractice(
            before == QLatin1String("-") ? PracticeMode::NewQuestions : PracticeMode::ReviewQuestions);
        QVERIFY(window);
        auto counters = [&] {
            QList<int> all;
            for (const char *c : { "C4", "D1", "D2" })
                all << bank.integer(
                    QStringLiteral("SELECT %1 FROM tab_kmmc WHERE C1='10'").arg(QLatin1String(c)));
            for (const char *c : { "A2", "A3", "B1", "B2" })
                all << bank.integer(
                    QStringLiteral("SELECT coalesce(%1,0) FROM tab_rz").arg(QLatin1String(c)));
            for (const char *c : { "q1", "q2", "q4" })
                all << bank.integer(
                    QStringLiteral("SELECT %1 FROM tab_rule WHERE ftid='1100010001'").arg(QLatin1String(c)));
            return all;
        };
        choose(*window, qPrintable(letter));
        click(window.get(), QStringLiteral("submitButton"));
        QCOMPARE(counters(), chapter + log + point);
        QCOMPARE(bank.column(QStringLiteral("q1"), "E4").toInt(), score);
        QCOMPARE(bank.column(QStringLiteral("q1"), "E3").toInt(), 2);
        QCOMPARE(bank.column(QStringLiteral("q1"), "E2"), letter);

        click(window.get(), QStringLiteral("submitButton"));
        window->close();
        QCOMPARE(counters(), chapter + log + point);
        QCOMPARE(bank.column(QStringLiteral("q1"), "E3").toInt(), 2);
    }

    void aChangedAnswerCountsASecondAttempt()
    {
        PracticeUiBank bank;
        bank.addQuestion(QStringLiteral("q1"), QStringLiteral("100101"), 61, QStringLiteral("B"));
        auto window = bank.openPractice();
        choose(*window, "A");
        click(window.get(), QStringLiteral("submitButton"));
        choose(*window, "B");
        click(window.get(), QStringLiteral("submitButton"));
        QCOMPARE(bank.column(QStringLiteral("q1"), "E3").toInt(), 2);
        QCOMPARE(bank.column(QStringLiteral("q1"), "E4").toInt(), -2);
        // Two answers of one question today, whose latest answer is right.
        QCOMPARE(bank.integer(QStringLiteral("SELECT A2 FROM tab_rz")), 2);
        QCOMPARE(bank.integer(QStringLiteral("SELECT B1 FROM tab_rz")), 1);
        QCOMPARE(bank.integer(QStringLiteral("SELECT B2 FROM tab_rz")), 0);
    }

    void wrongQuestionsLeaveTheListAfterThreeRightAnswers()
    {
        PracticeUiBank bank;
        bank.addQuestion(QStringLiteral("q1"), QStringLiteral("100101"), 61, QStringLiteral("A"));
        bank.exec(QStringLiteral("UPDATE tab_answ SET E2='B', E4=-3, E3=1"));
        for (int expected : { -2, -1, 0 }) {
            auto window = bank.openPractice(PracticeMode::WrongQuestions);
            QVERIFY(window);
            choose(*window, "A");
            window->close();
            QCOMPARE(bank.column(QStringLiteral("q1"), "E4").toInt(), expected);
        }
        QVERIFY(!bank.openPractice(PracticeMode::WrongQuestions));
    }

    void movingAwayUntouchedRecordsNothing()
    {
        PracticeUiBank bank;
        bank.addQuestions(2);
        auto window = bank.openPractice();
        click(window.get(), QStringLiteral("nextButton"));
        QCOMPARE(currentId(*window), QStringLiteral("q002"));
        QCOMPARE(bank.integer(QStringLiteral("SELECT count(*) FROM tab_rz")), 0);
        QVERIFY(bank.column(QStringLiteral("q001"), "E2").isEmpty());
        QCOMPARE(window->session().indicatorState(1), IndicatorState::NotAnswered);
        // Moving on after answering records on the way.
        choose(*window, "A");
        click(window.get(), QStringLiteral("previousButton"));
        QCOMPARE(bank.column(QStringLiteral("q002"), "E2"), QStringLiteral("A"));
        QCOMPARE(window->session().indicatorState(2), IndicatorState::Right);
    }

    void clearingAChoiceEmptiesTheWindowAnswerOnly()
    {
        PracticeUiBank bank;
        bank.addQuestions(2, 66);
        auto window = bank.openPractice();
        click(window.get(), QStringLiteral("option1A"));
        click(window.get(), QStringLiteral("nextButton"));
        click(window.get(), QStringLiteral("previousButton"));
        QVERIFY(window->answerPanel()->option(1, 0)->isChecked()); // restored from the window's answer
        click(window.get(), QStringLiteral("option1A")); // toggled off again
        click(window.get(), QStringLiteral("nextButton"));
        QCOMPARE(bank.column(QStringLiteral("q001"), "E2_1"), QString());
        QCOMPARE(bank.column(QStringLiteral("q001"), "E2"), QStringLiteral("A"));
        QCOMPARE(bank.column(QStringLiteral("q001"), "E3").toInt(), 1);
        QCOMPARE(window->session().indicatorState(1), IndicatorState::NotAnswered);
    }

    void cutsTheListInGroupsOfTwenty_data()
    {
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("groupLine");
        QTest::addColumn<bool>("laterGroup");
        QTest::newRow("20") << 20 << QStringLiteral("共1组20道题  第1组") << false;
        QTest::newRow("21") << 21 << QStringLiteral("共2组21道题  第1组") << true;
    }
    void cutsTheListInGroupsOfTwenty()
    {
        QFETCH(int, questions);
        QFETCH(QString, groupLine);
        QFETCH(bool, laterGroup);
        PracticeUiBank bank;
        bank.addQuestions(questions);
        auto window = bank.openPractice();
        QCOMPARE(labelText(window.get(), "groupLine"), groupLine);
        QCOMPARE(isEnabledButton(window.get(), QStringLiteral("nextGroupButton")), laterGroup);
        QVERIFY(isEnabledButton(window.get(), QStringLiteral("indicator20")));
        if (!laterGroup)
            return;
        click(window.get(), QStringLiteral("nextGroupButton"));
        QCOMPARE(labelText(window.get(), "groupLine"), QStringLiteral("共2组21道题  第2组"));
        QVERIFY(isEnabledButton(window.get(), QStringLiteral("indicator1")));
        QVERIFY(!isEnabledButton(window.get(), QStringLiteral("indicator2")));
        QCOMPARE(currentId(*window), QStringLiteral("q021"));
        QVERIFY(!isEnabledButton(window.get(), QStringLiteral("nextButton")));
        // Previous on the first question of group 2 opens group 1 at its first question.
        click(window.get(), QStringLiteral("previousButton"));
        QCOMPARE(currentId(*window), QStringLiteral("q001"));
        QCOMPARE(labelText(window.get(), "questionHeader"), QStringLiteral("第1题（第1次出现）"));
        // Next from the last of group 1 moves into group 2.
        click(window.get(), QStringLiteral("indicator20"));
        click(window.get(), QStringLiteral("nextButton"));
        QCOMPARE(currentId(*window), QStringLiteral("q021"));
    }

    void theTypeFilterRecordsFirst()
    {
        PracticeUiBank bank;
        bank.addQuestions(2, 61);
        bank.addQuestion(QStringLiteral("m1"), QStringLiteral("100101"), 66, QStringLiteral("AC"));
        auto window = bank.openPractice();
        QVERIFY(!isEnabledButton(window.get(), QStringLiteral("typeButton67"))); // no question of this type
        QVERIFY(isEnabledButton(window.get(), QStringLiteral("typeButton66")));
        choose(*window, "B");
        click(window.get(), QStringLiteral("typeButton66"));
        QCOMPARE(bank.column(QStringLiteral("q001"), "E2"), QStringLiteral("B"));
        QCOMPARE(window->session().count(), 1);
        QCOMPARE(currentId(*window), QStringLiteral("m1"));
        QCOMPARE(window->answerPanel()->page(), 1);
        QCOMPARE(window->answerPanel()->selfAssessedLabel(), QStringLiteral("多\n选"));
        click(window.get(), QStringLiteral("option1A"));
        click(window.get(), QStringLiteral("option1C"));
        click(window.get(), QStringLiteral("submitButton"));
        QCOMPARE(bank.column(QStringLiteral("m1"), "E2"), QStringLiteral("AC"));
        QCOMPARE(bank.column(QStringLiteral("m1"), "E4").toInt(), 0);
    }

    void aCompositeQuestionCollapsesForTheNextOrdinaryOne()
    {
        PracticeUiBank bank;
        const QString stem = QStringLiteral("1001010000000001");
        bank.addQuestion(
            stem + QStringLiteral("-1"), QStringLiteral("100101"), 61, QStringLiteral("A"), 4, {}, 1);
        bank.addQuestion(
            QStringLiteral("plain"), QStringLiteral("100101"), 61, QStringLiteral("A"), 4, {}, 2);
        bank.exec(QStringLiteral("INSERT INTO tab_title (A1, A15) VALUES (?, '<p>案例材料</p>')"), { stem });
        auto window = bank.openPractice();
        auto *splitter = window->findChild<QSplitter *>(QStringLiteral("questionSplitter"));
        auto *upper = window->findChild<QTextBrowser *>(QStringLiteral("upperPane"));
        auto *lower = window->findChild<QTextBrowser *>(QStringLiteral("lowerPane"));
        QVERIFY(upper->toPlainText().contains(QStringLiteral("案例材料")));
        QVERIFY(lower->toPlainText().contains(stem));
        QVERIFY(splitter->sizes().value(1) > 0);
        click(window.get(), QStringLiteral("nextButton"));
        QCOMPARE(splitter->sizes().value(1), 0);
        QVERIFY(upper->toPlainText().contains(QStringLiteral("plain")));
    }

    void voidThenRestore()
    {
        PracticeUiBank bank;
        bank.addQuestions(2);
        auto window = bank.openPractice();
        click(window.get(), QStringLiteral("voidButton"));
        QCOMPARE(buttonText(window.get(), "voidButton"), QStringLiteral("取消作废"));
        QCOMPARE(labelText(window.get(), "voidNotice"), QStringLiteral("本题已被您作废！"));
        QCOMPARE(bank.column(QStringLiteral("q001"), "F1").toInt(), 1);
        click(window.get(), QStringLiteral("voidButton"));
        QCOMPARE(buttonText(window.get(), "voidButton"), QStringLiteral("题目作废"));
        QCOMPARE(labelText(window.get(), "voidNotice"), QStringLiteral("本题曾被作废，现已被您取消！"));
        window->close();
        QCOMPARE(bank.column(QStringLiteral("q001"), "F1").toInt(), 0);
        QCOMPARE(bank.column(QStringLiteral("q001"), "E2"), QStringLiteral("zero"));
        window = bank.openPractice();
        QCOMPARE(window->session().count(), 1);
        QCOMPARE(currentId(*window), QStringLiteral("q002"));
    }

    void examPointsCountUpToTheFirstGapAndListTheirTitles()
    {
        PracticeUiBank bank;
        bank.addQuestion(QStringLiteral("q1"), QStringLiteral("100101"), 61, QStringLiteral("A"), 4,
            { QStringLiteral("1100010002"), QString(), QStringLiteral("1100010001") });
        auto window = bank.openPractice();
        QVERIFY(!isEnabledButton(window.get(), QStringLiteral("examPointsButton")));
        choose(*window, "A");
        click(window.get(), QStringLiteral("submitButton"));
        QCOMPARE(bank.integer(QStringLiteral("SELECT q2 FROM tab_rule WHERE ftid='1100010002'")), 1);
        QCOMPARE(bank.integer(QStringLiteral("SELECT q2 FROM tab_rule WHERE ftid='1100010001'")), 0);
        QVERIFY(isEnabledButton(window.get(), QStringLiteral("examPointsButton")));
        QVERIFY(!isEnabledButton(window.get(), QStringLiteral("explanationButton"))); // no jx
        QStringList shown;
        bank.modal.setDriver([&](QDialog &dialog) {
            if (auto *laws = qobject_cast<ui::RelatedLawsWindow *>(&dialog))
                shown = laws->titles();
        });
        click(window.get(), QStringLiteral("examPointsButton"));
        QCOMPARE(bank.modal.opened().last().owner, window.get());
        // A question naming the articles in k3 and k5 lists both, in sorted order.
        QCOMPARE(shown, (QStringList { QStringLiteral("第3条 订立"), QStringLiteral("第12条 违约") }));
    }

    void theExplanationOpensOnceAnswered()
    {
        PracticeUiBank bank;
        bank.addQuestions(1);
        bank.exec(QStringLiteral("UPDATE tab_exer SET jx='<p>要约到达受要约人时生效。</p>'"));
        QString shown;
        bank.modal.setDriver([&](QDialog &dialog) {
            if (auto *explanation = qobject_cast<ui::ExplanationWindow *>(&dialog))
                shown = explanation->plainText();
        });
        auto window = bank.openPractice();
        QVERIFY(!isEnabledButton(window.get(), QStringLiteral("explanationButton")));
        choose(*window, "B");
        click(window.get(), QStringLiteral("submitButton"));
        click(window.get(), QStringLiteral("explanationButton"));
        QCOMPARE(shown, QStringLiteral("要约到达受要约人时生效。"));
    }

    void theQuestionTimerWarnsOnceAndMarksTheQuestion()
    {
        PracticeUiBank bank;
        bank.addQuestions(1);
        bank.state.answerTimeTable = { { 61, 900 } };
        auto window = bank.openPractice();
        QCOMPARE(window->questionTimer()->interval(), 900);
        bank.prompt.queueAnswer(3);
        for (int tick = 0; tick < 100; ++tick)
            window->questionTick();
        QCOMPARE(window->gaugeValue(), 100);
        QVERIFY(bank.prompt.lastText().isEmpty());
        window->questionTick();
        QCOMPARE(bank.prompt.lastText(), QStringLiteral("到时间了"));
        QVERIFY(!window->questionTimer()->isActive());
        QCOMPARE(bank.column(QStringLiteral("q001"), "csbs"), QStringLiteral("Y"));
        // A type missing from the table gets 600 ms ticks.
        bank.state.answerTimeTable.clear();
        click(window.get(), QStringLiteral("indicator1"));
        QCOMPARE(window->questionTimer()->interval(), 600);
    }

    void keysWorkOnlyOnTheChoicePages()
    {
        PracticeUiBank bank;
        bank.addQuestions(2);
        bank.addQuestion(QStringLiteral("s1"), QStringLiteral("100101"), 67, QStringLiteral("1"), 1, {}, 9);
        auto window = bank.openPractice();
        QTest::keyClick(window.get(), Qt::Key_B);
        QTest::keyClick(window.get(), Qt::Key_Return);
        QCOMPARE(bank.column(QStringLiteral("q001"), "E2"), QStringLiteral("B"));
        QCOMPARE(currentId(*window), QStringLiteral("q002"));
        QTest::keyClick(window.get(), Qt::Key_Backspace);
        QCOMPARE(currentId(*window), QStringLiteral("q001"));
        // The self-assessed page handles no keys.
        click(window.get(), QStringLiteral("indicator3"));
        QCOMPARE(window->answerPanel()->page(), 4);
        QTest::keyClick(window.get(), Qt::Key_Backspace);
        QCOMPARE(currentId(*window), QStringLiteral("s1"));
    }

    void theAnswerViewShowsTheResult()
    {
        PracticeUiBank bank;
        bank.addQuestion(QStringLiteral("q1"), QStringLiteral("100101"), 61, QStringLiteral("B"));
        auto window = bank.openPractice();
        QVERIFY(!isEnabledButton(window.get(), QStringLiteral("answerButton")));
        choose(*window, "A");
        click(window.get(), QStringLiteral("submitButton"));
        click(window.get(), QStringLiteral("answerButton"));
        QCOMPARE(buttonText(window.get(), "answerButton"), QStringLiteral("返回"));
        QCOMPARE(labelText(window.get(), "resultLine"), QStringLiteral("很遗憾，做错了，请继续努力！"));
        QCOMPARE(window->findChild<QLineEdit *>(QStringLiteral("yourAnswer"))->text(), QStringLiteral("A"));
        QCOMPARE(window->findChild<QLineEdit *>(QStringLiteral("rightAnswer"))->text(), QStringLiteral("B"));
        auto *view = window->findChild<QWidget *>(QStringLiteral("answerView"));
        QCOMPARE(view->width(), window->findChild<QWidget *>(QStringLiteral("questionArea"))->width());
        click(window.get(), QStringLiteral("answerButton"));
        QCOMPARE(view->width(), 0);
        QCOMPARE(buttonText(window.get(), "answerButton"), QStringLiteral("答案"));
    }

    void submittingNothingAsksForAnAnswer()
    {
        PracticeUiBank bank;
        bank.addQuestions(1);
        auto window = bank.openPractice();
        bank.prompt.queueAnswer(3);
        click(window.get(), QStringLiteral("submitButton"));
        QCOMPARE(bank.prompt.lastText(), QStringLiteral("请先做出答案！"));
        QCOMPARE(bank.integer(QStringLiteral("SELECT count(*) FROM tab_rz")), 0);
    }

    void notesAreKeptAndMarkTheButton()
    {
        PracticeUiBank bank;
        bank.addQuestions(1);
        QString typed = QStringLiteral("记住第三条");
        bank.modal.setDriver([&](QDialog &dialog) {
            dialog.findChild<QPlainTextEdit *>(QStringLiteral("noteText"))->setPlainText(typed);
            click(&dialog, QStringLiteral("closeButton"));
        });
        auto window = bank.openPractice();
        click(window.get(), QStringLiteral("noteButton"));
        QCOMPARE(buttonText(window.get(), "noteButton"), QStringLiteral("有内容"));
        QCOMPARE(bank.column(QStringLiteral("q001"), "A14"), typed);
        typed = QStringLiteral("   ");
        click(window.get(), QStringLiteral("noteButton"));
        QCOMPARE(buttonText(window.get(), "noteButton"), QStringLiteral("笔记"));
        QCOMPARE(bank.column(QStringLiteral("q001"), "A14"), typed);
    }

    void closingAddsTheTimeSpentToday()
    {
        PracticeUiBank bank;
        bank.addQuestions(1);
        auto window = bank.openPractice();
        choose(*window, "A");
        bank.clock.advance(65);
        click(window.get(), QStringLiteral("closeButton"));
        QCOMPARE(bank.column(QStringLiteral("q001"), "E2"), QStringLiteral("A")); // recorded on closing
        QCOMPARE(bank.text(QStringLiteral("SELECT D1 FROM tab_rz")), QStringLiteral("00:01:05"));
        QCOMPARE(bank.text(QStringLiteral("SELECT A4 FROM tab_rz")), QStringLiteral("100.00"));
        QCOMPARE(
            bank.text(QStringLiteral("SELECT C6 FROM tab_kmmc WHERE C1='100101'")), QStringLiteral("100.00"));
    }

    void missingPicturesEndTheProgram()
    {
        PracticeUiBank bank;
        bank.addQuestions(1);
        QTemporaryDir empty;
        bank.state.appDir = empty.path() + QLatin1Char('/');
        int endedWith = 0;
        bank.context.endProgram = [&](int code) { endedWith = code; };
        bank.prompt.queueAnswer(3);
        PracticeWindow window(bank.context, ui::PracticeVariant::chapter());
        QVERIFY(!window.picturesLoaded());
        QCOMPARE(bank.prompt.lastText(), QStringLiteral("无法提取资源文件！"));
        QCOMPARE(endedWith, 1);
    }
};

VORLANE_UI_TEST(PracticeWindowTest)
#include "PracticeWindowTest.moc"
