#include "ExamUiFixture.h"
#include "PracticeUiBank.h"
#include "ScreenLayouts.h"
#include "UiTest.h"

#include "ui/exam/ExamSettingsWindow.h"
#include "ui/exam/ExamWindow.h"
#include "ui/exam/StoredPapersWindow.h"
#include "ui/practice/CatalogueWindow.h"
#include "ui/practice/PracticeCommands.h"
#include "ui/settings/SystemSettingsWindow.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/MenuWindow.h"
#include "ui/shell/ShellCommands.h"
#include "ui/widgets/AnswerPanel.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QWindow>

using namespace vorlane;
using namespace vorlane::test;
using ui::PromptDialog;

namespace {

// What the window manager does when a window appears: it becomes the active one.
void activate(QWidget *window)
{
    window->activateWindow();
    QApplication::setActiveWindow(window);
}

// A key as the user types it: to whatever holds the focus, else to the active window.
void userKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target
        = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    QVERIFY2(target, "no window has the keyboard");
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

// The shared box lives with a menu made by the test, and goes back before that menu goes.
struct BoxAtHome
{
    BoxAtHome(PromptDialog &box, QWidget &menu)
        : box(box)
    {
        box.setParent(&menu, box.windowFlags());
    }
    ~BoxAtHome() { box.setParent(nullptr, box.windowFlags()); }
    PromptDialog &box;
};

// The window the window system keeps this one above (its WM_TRANSIENT_FOR under X11).
QWindow *transientParentOf(QWidget *window)
{
    return window->windowHandle() ? window->windowHandle()->transientParent() : nullptr;
}

} // namespace

// The faults a user met every session: boxes under the wrong window, keys swallowed, windows
// coming back in the corner, settings lost, ways out past the plan check, a risky first focus.
class WindowBehaviourTest : public QObject
{
    Q_OBJECT

private slots:
    // Each box opened from practice is owned by the practice window, down to the window system,
    // so the window manager keeps practice (not the menu) under it; a box from the settings
    // window opened there belongs to the settings window.
    void boxesFromPracticeBelongToThePracticeWindow()
    {
        PracticeUiBank bank;
        bank.addQuestions(2);
        QWidget menu;
        menu.setObjectName(QStringLiteral("menuWindow"));
        BoxAtHome home(bank.prompt, menu);
        auto output = std::make_unique<FakeMusicOutput>();
        output->device = false; // "没发现声卡！"
        ui::BackgroundMusic music(bank.prompt, std::move(output));
        bank.context.music = &music;
        menu.show();

        QStringList owners;
        QWidget *practiceWindow = nullptr;
        QWidget *settingsWindow = nullptr;
        bank.modal.setDriver([&](QDialog &dialog) {
            if (auto *catalogue = qobject_cast<ui::CatalogueWindow *>(&dialog)) {
                QVERIFY(catalogue->selectCode(QStringLiteral("100101")));
                click(catalogue, QStringLiteral("newQuestionsArea"));
                click(catalogue, QStringLiteral("closeArea"));
            } else if (auto *practice = qobject_cast<ui::PracticeWindow *>(&dialog)) {
                practiceWindow = practice;
                click(practice, QStringLiteral("submitButton")); // nothing chosen
                practice->questionTimer()->stop();
                for (int tick = 0; tick <= 100; ++tick)
                    practice->questionTick(); // "到时间了"
                click(practice, QStringLiteral("settingsButton"));
                click(practice, QStringLiteral("closeButton"));
            } else if (auto *settings = qobject_cast<ui::SystemSettingsWindow *>(&dialog)) {
                settingsWindow = settings;
                QVERIFY(transientParentOf(settings) == practiceWindow->windowHandle());
                click(settings, QStringLiteral("musicSwitch")); // no sound device
                click(settings, QStringLiteral("settingsClose"));
                settingsWindow = nullptr;
            } else if (&dialog == &bank.prompt) {
                QWidget *expected = settingsWindow ? settingsWindow : practiceWindow;
                const bool owned = dialog.parentWidget() == expected
                    && transientParentOf(&dialog) == expected->windowHandle();
                owners << bank.prompt.lastText()
                        + (owned ? QStringLiteral("@owner") : QStringLiteral("@other"));
                click(&dialog, QStringLiteral("promptMiddle"));
            }
        });
        ui::CommandDispatcher dispatcher;
        ui::addPracticeCommands(dispatcher, bank.context, &menu);
        QVERIFY(dispatcher.dispatch(QStringLiteral("lx")));
        QCOMPARE(owners,
            QStringList({ QStringLiteral("请先做出答案！@owner"), QStringLiteral("到时间了@owner"),
                QStringLiteral("没发现声卡！@owner") }));
        // Back home with the menu once nobody else needs it.
        QCOMPARE(bank.prompt.parentWidget(), &menu);
        QVERIFY(transientParentOf(&bank.prompt) == menu.windowHandle());
    }

    // The progress window stands over the window the user is in while it shows, then goes home.
    void theProgressWindowBelongsToTheWindowTheUserIsIn()
    {
        ui::ModalRunner runner;
        QWidget menu;
        menu.show();
        ui::ProgressWindow progress(nullptr, &runner);
        progress.setParent(&menu, progress.windowFlags());
        QDialog exam(&menu);
        bool owned = false;
        runner.setDriver([&](QDialog &dialog) {
            progress.showStage(QStringLiteral("正在判卷..."));
            owned
                = progress.parentWidget() == &dialog && transientParentOf(&progress) == dialog.windowHandle();
            progress.hide();
        });
        runner.run(exam);
        QVERIFY(owned);
        QCOMPARE(progress.parentWidget(), &menu);
        progress.setParent(nullptr);
    }

    // The exam window, the stored papers and the catalogue own the boxes they ask.
    void boxesBelongToTheExamPapersAndCatalogueWindows()
    {
        ExamUiFixture fixture;
        QWidget menu;
        BoxAtHome home(fixture.prompt, menu);
        menu.show();
        const exam::PaperIdentity paper = fixture.makePaper(3);
        QStringList owners;
        QDialog *asking = nullptr;
        fixture.modal.setDriver([&](QDialog &dialog) {
            if (&dialog == &fixture.prompt) {
                const bool owned = asking && dialog.parentWidget() == asking
                    && transientParentOf(&dialog) == asking->windowHandle();
                owners << dialog.parentWidget()->objectName()
                        + (owned ? QStringLiteral("@owner") : QStringLiteral("@other"));
                // The exam goes on (取消); the paper stays (取消); the heading is refused (确定).
                click(&dialog,
                    asking->objectName() == QStringLiteral("storedPapersWindow")
                        ? QStringLiteral("promptRight")
                        : QStringLiteral("promptMiddle"));
                return;
            }
            asking = &dialog;
            if (dialog.objectName() == QStringLiteral("examWindow"))
                click(&dialog, QStringLiteral("examSubmit"));
            else if (dialog.objectName() == QStringLiteral("storedPapersWindow"))
                click(&dialog, QStringLiteral("papersDelete"));
            else if (auto *catalogue = qobject_cast<ui::CatalogueWindow *>(&dialog)) {
                QVERIFY(catalogue->selectCode(QStringLiteral("1")));
                click(catalogue, QStringLiteral("newQuestionsArea")); // a heading: refused
            }
        });
        {
            ui::ExamWindow window(*fixture.context, &menu);
            QVERIFY(window.openPaper(paper));
            fixture.modal.run(window);
        }
        {
            ui::StoredPapersWindow window(*fixture.context, &menu);
            fixture.modal.run(window);
        }
        fixture.exec(
            QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C1_1, C2, C3) VALUES (1,'1','科目一','科目一',0)"));
        {
            ui::CatalogueWindow window(*fixture.context, &menu);
            fixture.modal.run(window);
        }
        QCOMPARE(owners,
            QStringList({ QStringLiteral("examWindow@owner"), QStringLiteral("storedPapersWindow@owner"),
                QStringLiteral("catalogueWindow@owner") }));
    }

    // Backspace goes back a question in chapter practice in every state of the window: after a
    // start, after the answer view, after a tool window; no read-only box takes the key.
    void backspaceAndEnterMoveInEveryPracticeState()
    {
        PracticeUiBank bank;
        bank.addQuestions(3);
        std::unique_ptr<ui::PracticeWindow> window = bank.openPractice();
        QVERIFY(window);
        activate(window.get());
        const auto position = [&] { return window->session().currentPos(); };
        userKey(Qt::Key_Return);
        QCOMPARE(position(), 2);
        userKey(Qt::Key_Backspace);
        QCOMPARE(position(), 1);
        userKey(Qt::Key_Return);
        userKey(Qt::Key_A);
        userKey(Qt::Key_F2); // 完成
        userKey(Qt::Key_F3); // the answer view slides in
        userKey(Qt::Key_Backspace);
        QCOMPARE(position(), 1);
        userKey(Qt::Key_Return);
        userKey(Qt::Key_Return);
        QCOMPARE(position(), 3);
        bank.modal.setDriver([](QDialog &note) { note.reject(); });
        click(window.get(), QStringLiteral("noteButton"));
        activate(window.get());
        userKey(Qt::Key_Backspace);
        QCOMPARE(position(), 2);
        QCOMPARE(bank.column(QStringLiteral("q002"), "E2"), QStringLiteral("A"));
    }

    // The catalogue comes back where it first opened after a practice window closes.
    void theCatalogueComesBackWhereItWas_data() { addScreenLayoutRows(); }
    void theCatalogueComesBackWhereItWas()
    {
        QFETCH(QString, layout);
        PracticeUiBank bank;
        bank.state.screenLayout = layout;
        bank.addQuestions(1);
        QWidget menu;
        menu.setGeometry(QGuiApplication::primaryScreen()->geometry());
        menu.show();
        QPoint before;
        QPoint after;
        bool practised = false;
        bank.modal.setDriver([&](QDialog &dialog) {
            if (auto *catalogue = qobject_cast<ui::CatalogueWindow *>(&dialog)) {
                before = catalogue->pos();
                QVERIFY(catalogue->selectCode(QStringLiteral("100101")));
                click(catalogue, QStringLiteral("newQuestionsArea"));
                after = catalogue->pos();
                QVERIFY(catalogue->isVisible());
                click(catalogue, QStringLiteral("closeArea"));
            } else if (qobject_cast<ui::PracticeWindow *>(&dialog)) {
                practised = true;
                click(&dialog, QStringLiteral("closeButton"));
            }
        });
        ui::CommandDispatcher dispatcher;
        ui::addPracticeCommands(dispatcher, bank.context, &menu);
        QVERIFY(dispatcher.dispatch(QStringLiteral("lx")));
        QVERIFY(practised);
        QVERIFY2(before != QPoint(0, 0), "first opened centred");
        QCOMPARE(after, before);
    }

    // Escape and the title bar's close save the exam settings as "关闭" does.
    void examSettingsAreSavedHoweverTheWindowCloses_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("关闭") << QStringLiteral("button");
        QTest::newRow("Escape") << QStringLiteral("escape");
        QTest::newRow("title bar") << QStringLiteral("close");
    }
    void examSettingsAreSavedHoweverTheWindowCloses()
    {
        QFETCH(QString, how);
        ExamUiFixture fixture;
        fixture.addType(1, 61, 50, 2);
        fixture.setPlan(60, 7200);
        fixture.modal.setDriver([&](QDialog &dialog) {
            auto *mark = child<QLineEdit>(dialog, "settingsPassMark");
            auto *minutes = child<QLineEdit>(dialog, "settingsExamMinutes");
            mark->selectAll();
            QTest::keyClicks(mark, QStringLiteral("72"));
            minutes->selectAll();
            QTest::keyClicks(minutes, QStringLiteral("90"));
            if (how == QLatin1String("button"))
                click(&dialog, QStringLiteral("settingsClose"));
            else if (how == QLatin1String("escape"))
                QTest::keyClick(minutes, Qt::Key_Escape);
            else
                dialog.close();
            QVERIFY(!dialog.isVisible());
        });
        ui::ExamSettingsWindow window(*fixture.context);
        fixture.modal.run(window);
        QCOMPARE(fixture.scalar(QStringLiteral("SELECT LeastMark FROM tab_plan")).toInt(), 72);
        QCOMPARE(fixture.scalar(QStringLiteral("SELECT ExamTime FROM tab_plan")).toInt(), 90 * 60);
    }

    // Alt+F4 or the window manager's close on the menu runs the same plan check as 退出: below
    // the plan the user is asked, and "取消" keeps the program; 退出 itself asks only once.
    void everyWayOutOfTheMenuChecksThePlan()
    {
        ShellFixture fixture;
        fixture.exec(
            QStringLiteral("INSERT INTO tab_plan (PlanMark, PlanAmount, PlanTime) VALUES (0, 50, 0)"));
        ui::CommandDispatcher dispatcher;
        ui::MenuWindow menu(*fixture.context, dispatcher);
        ui::addShellCommands(dispatcher, *fixture.context, &menu);
        menu.refreshItems();
        menu.resize(1024, 768);
        menu.show();
        QStringList asked;
        QMessageBox::StandardButton answer = QMessageBox::Cancel;
        fixture.modal.setDriver([&](QDialog &dialog) {
            auto *box = qobject_cast<QMessageBox *>(&dialog);
            QVERIFY(box);
            asked << box->text();
            QTest::mouseClick(box->button(answer), Qt::LeftButton);
        });
        QVERIFY(!menu.close()); // what Alt+F4 and the window manager's close do
        QVERIFY(menu.isVisible());
        QCOMPARE(asked, QStringList { QStringLiteral("还未完成今日学习计划，要退出吗？") });
        answer = QMessageBox::Ok;
        click(&menu, QStringLiteral("menu_quit"));
        QCOMPARE(asked.size(), 2);
        QVERIFY(!menu.isVisible());
    }

    // Enter right after the start opens the first subject's practice, not the quit check.
    void theMenuStartsOnTheFirstSubjectsPractice()
    {
        ShellFixture fixture;
        ui::CommandDispatcher dispatcher;
        QStringList chosen;
        for (const char *word : { "lx", "mnks", "lx2", "about", "quit" })
            dispatcher.add(QLatin1String(word), ui::CommandDispatcher::Cursor::Unchanged,
                [&chosen, word] { chosen << QLatin1String(word); });
        ui::MenuWindow menu(*fixture.context, dispatcher);
        menu.resize(1024, 768);
        menu.show();
        activate(&menu);
        QCOMPARE(QApplication::focusWidget(), menu.item(QStringLiteral("lx")));
        userKey(Qt::Key_Return);
        QCOMPARE(chosen, QStringList { QStringLiteral("lx") });
        // Tab goes through the menu's order and ends on 退出.
        QWidget *last = nullptr;
        for (int i = 0; i < 5; ++i) {
            last = QApplication::focusWidget();
            userKey(Qt::Key_Tab);
        }
        QCOMPARE(last, menu.item(QStringLiteral("quit")));
    }

    // The answer-times face says whose times it edits; the self-assessed page says what its
    // empty choice is for.
    void theTimesNameTheirSubjectAndTheSelfAssessedChoiceIsLabelled()
    {
        ShellFixture fixture;
        fixture.exec(QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C2) VALUES (1, '2', '科目二 专业实务')"));
        fixture.state.examSubject = 2;
        QString said;
        fixture.modal.setDriver([&](QDialog &dialog) {
            said = dialog.findChild<QLabel *>(QStringLiteral("timesLabel"))->text();
            click(&dialog, QStringLiteral("settingsClose"));
        });
        ui::openSystemSettings(*fixture.context, nullptr, true);
        QCOMPARE(said, QStringLiteral("答题时间设置（科目二 专业实务）"));

        ui::AnswerPanel panel;
        panel.setPage(4);
        panel.show();
        QCOMPARE(panel.selfAssessed()->currentIndex(), -1);
        QCOMPARE(panel.selfAssessed()->placeholderText(), QStringLiteral("会 / 不会"));
        auto *hint = panel.findChild<QLabel *>(QStringLiteral("selfAssessedHint"));
        QVERIFY(hint && hint->isVisible());
    }

    // "章节练习" of a subject opens the catalogue on that subject's first row, or on its first
    // part when the bank has no row of the subject itself (subject 5's parts are "05").
    void theCatalogueOpensAtTheSubjectOfTheItem()
    {
        PracticeUiBank bank;
        bank.exec(QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C1_1, C2, C3) VALUES "
                                 "(6,'0','科目四、五','科目四、五',0),(7,'05','案例','案例分析',0),"
                                 "(8,'050101','第一章','第一章 案例',0)"));
        ui::CommandDispatcher dispatcher;
        QWidget menu;
        ui::addPracticeCommands(dispatcher, bank.context, &menu);
        QStringList codes;
        bank.modal.setDriver([&](QDialog &dialog) {
            codes << static_cast<ui::CatalogueWindow &>(dialog).currentCode();
            click(&dialog, QStringLiteral("closeArea"));
        });
        for (const char *word : { "lx5", "lx" })
            QVERIFY(dispatcher.dispatch(QLatin1String(word)));
        QCOMPARE(codes, QStringList({ QStringLiteral("05"), QStringLiteral("1") }));
    }
};

VORLANE_UI_TEST(WindowBehaviourTest)
#include "WindowBehaviourTest.moc"
