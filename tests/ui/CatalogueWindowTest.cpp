#include "PracticeUiBank.h"
#include "UiTest.h"

#include "ui/practice/CatalogueWindow.h"
#include "ui/practice/PracticeCommands.h"
#include "ui/settings/SystemSettingsWindow.h"
#include "ui/shell/CommandDispatcher.h"

#include <QApplication>

#include <QLCDNumber>
#include <QLabel>
#include <QTableView>

using namespace vorlane;
using namespace vorlane::test;
using vorlane::ui::CatalogueWindow;
using vorlane::ui::PracticeWindow;

namespace {

// Makes the row of the code current, as a click on it would.
void selectRow(CatalogueWindow &catalogue, const QString &code)
{
    QVERIFY(catalogue.selectCode(code));
}

QString scoreText(CatalogueWindow &catalogue)
{
    return catalogue.findChild<QLabel *>(QStringLiteral("totalScore"))->text();
}

int display(CatalogueWindow &catalogue, const char *name)
{
    return catalogue.findChild<QLCDNumber *>(QLatin1String(name))->intValue();
}

} // namespace

class CatalogueWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void showsTheTotalsOfTheLeafChapters()
    {
        PracticeUiBank bank;
        bank.exec(QStringLiteral("UPDATE tab_kmmc SET C3=6000 WHERE length(C1)=6"));
        CatalogueWindow catalogue(bank.context);
        catalogue.show();
        QCOMPARE(display(catalogue, "totalQuestions"), 10000);
        QCOMPARE(display(catalogue, "totalAnswers"), 0);
        QCOMPARE(scoreText(catalogue), QStringLiteral("分数")); // no answer recorded yet
        auto *grid = catalogue.findChild<QTableView *>(QStringLiteral("catalogueGrid"));
        QCOMPARE(grid->model()->rowCount(), 4); // the hidden row is not listed
        QCOMPARE(catalogue.currentCode(), QStringLiteral("1"));
    }

    void refusesHeadings()
    {
        PracticeUiBank bank;
        bank.addQuestions(1);
        CatalogueWindow catalogue(bank.context);
        catalogue.show();
        selectRow(catalogue, QStringLiteral("10"));
        bool practised = false;
        bank.modal.setDriver([&](QDialog &) { practised = true; });
        bank.prompt.queueAnswer(3);
        click(&catalogue, QStringLiteral("newQuestionsArea"));
        QCOMPARE(bank.prompt.lastText(), QStringLiteral("请选择具体章节目录！"));
        QCOMPARE(bank.prompt.lastCaption(), QStringLiteral("提示"));
        QVERIFY(!practised);
    }

    void tellsWhenAModeHasNoQuestion_data()
    {
        QTest::addColumn<QString>("area");
        QTest::addColumn<QString>("text");
        QTest::newRow("new") << "newQuestionsArea" << QStringLiteral("恭喜，习题已做完！");
        QTest::newRow("wrong") << "wrongQuestionsArea" << QStringLiteral("本章节下没有错题！");
        QTest::newRow("review") << "reviewQuestionsArea" << QStringLiteral("本章节习题还未曾做过！");
    }
    void tellsWhenAModeHasNoQuestion()
    {
        QFETCH(QString, area);
        QFETCH(QString, text);
        PracticeUiBank bank;
        CatalogueWindow catalogue(bank.context);
        catalogue.show();
        selectRow(catalogue, QStringLiteral("100102"));
        bank.prompt.queueAnswer(3);
        click(&catalogue, area);
        QCOMPARE(bank.prompt.lastText(), text);
        QVERIFY(catalogue.isVisible());
    }

    // A practice run from the catalogue: it hides, the answers are recorded, and it comes back
    // on the practised chapter with the new counters.
    void returnsToThePractisedChapterWithNewCounters()
    {
        PracticeUiBank bank;
        bank.addQuestion(QStringLiteral("x1"), QStringLiteral("100102"), 61, QStringLiteral("A"));
        bank.addQuestion(QStringLiteral("x2"), QStringLiteral("100102"), 61, QStringLiteral("A"));
        bool hiddenWhilePractising = false;
        QString noticeBoard;
        bank.modal.setDriver([&](QDialog &dialog) {
            auto &practice = static_cast<PracticeWindow &>(dialog);
            // Owned by the catalogue, which steps aside while practice runs.
            hiddenWhilePractising = qobject_cast<CatalogueWindow *>(dialog.parentWidget())
                && !dialog.parentWidget()->isVisible();
            noticeBoard = dialog.findChild<QLabel *>(QStringLiteral("noticeBoard"))->text();
            click(&practice, QStringLiteral("option0A"));
            click(&practice, QStringLiteral("nextButton"));
            click(&practice, QStringLiteral("option0B"));
            dialog.close();
        });
        CatalogueWindow catalogue(bank.context);
        catalogue.show();
        selectRow(catalogue, QStringLiteral("100102"));
        auto *grid = catalogue.findChild<QTableView *>(QStringLiteral("catalogueGrid"));
        const QPoint row = grid->visualRect(grid->model()->index(3, 0)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, row);
        QVERIFY(hiddenWhilePractising);
        QCOMPARE(noticeBoard, QStringLiteral("第二章 合同订立"));
        QVERIFY(catalogue.isVisible());
        QCOMPARE(catalogue.currentCode(), QStringLiteral("100102"));
        QCOMPARE(catalogue.lastChapterCode(), QStringLiteral("100102"));
        QCOMPARE(grid->model()->index(3, 3).data().toString(), QStringLiteral("2")); // answers
        QCOMPARE(grid->model()->index(3, 4).data().toString(), QStringLiteral("1")); // wrong
        QCOMPARE(grid->model()->index(3, 5).data().toString(), QStringLiteral("50.00"));
        QCOMPARE(display(catalogue, "totalAnswers"), 2);
        QCOMPARE(display(catalogue, "totalWrong"), 1);
        QCOMPARE(scoreText(catalogue), QStringLiteral("50.00"));
        // Both answered: the new-question list of the chapter is now empty.
        bank.prompt.queueAnswer(3);
        click(&catalogue, QStringLiteral("newQuestionsArea"));
        QCOMPARE(bank.prompt.lastText(), QStringLiteral("恭喜，习题已做完！"));
    }

    void aPartCodeSelectsAllItsChapters()
    {
        PracticeUiBank bank;
        bank.addQuestion(QStringLiteral("a"), QStringLiteral("100101"), 61, QStringLiteral("A"));
        bank.addQuestion(QStringLiteral("b"), QStringLiteral("100102"), 61, QStringLiteral("A"));
        bank.exec(QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C2) VALUES (6, '1001', '第一分编')"));
        int listed = 0;
        bank.modal.setDriver(
            [&](QDialog &dialog) { listed = static_cast<PracticeWindow &>(dialog).session().count(); });
        CatalogueWindow catalogue(bank.context);
        catalogue.show();
        selectRow(catalogue, QStringLiteral("1001"));
        click(&catalogue, QStringLiteral("newQuestionsArea"));
        QCOMPARE(listed, 2);
    }

    void settingsOpenInTheirFullLayout()
    {
        PracticeUiBank bank;
        QWidget *owner = nullptr;
        bool timesOnly = true;
        bank.modal.setDriver([&](QDialog &dialog) {
            auto *settings = qobject_cast<ui::SystemSettingsWindow *>(&dialog);
            QVERIFY(settings);
            owner = settings->parentWidget();
            timesOnly = settings->timesOnly();
            click(settings, QStringLiteral("settingsClose"));
        });
        CatalogueWindow catalogue(bank.context);
        catalogue.show();
        click(&catalogue, QStringLiteral("settingsArea"));
        QCOMPARE(owner, &catalogue);
        QVERIFY(!timesOnly);
        click(&catalogue, QStringLiteral("closeArea"));
        QVERIFY(!catalogue.isVisible());
    }

    // Everything the practice window opens belongs to it: the system settings (in their full
    // layout) and the shared message box, which goes back to its own owner afterwards.
    void childWindowsAndMessagesBelongToThePracticeWindow()
    {
        PracticeUiBank bank;
        bank.addQuestions(1);
        QWidget *practiceWindow = nullptr; // compared only: gone once practice ends
        QWidget *practiceOwner = nullptr;
        QWidget *settingsOwner = nullptr;
        bool timesOnly = true;
        QWidget *boxOwner = nullptr;
        QWidget *recordedOwner = nullptr;
        int answered = 0;
        bank.modal.setDriver([&](QDialog &dialog) {
            if (auto *practice = qobject_cast<PracticeWindow *>(&dialog)) {
                practiceWindow = practice;
                practiceOwner = practice->parentWidget();
                click(practice, QStringLiteral("settingsButton"));
                click(practice, QStringLiteral("submitButton")); // nothing chosen: a box
                answered = bank.prompt.result();
                recordedOwner = bank.prompt.lastOwner();
                click(practice, QStringLiteral("closeButton"));
            } else if (auto *settings = qobject_cast<ui::SystemSettingsWindow *>(&dialog)) {
                settingsOwner = settings->parentWidget();
                timesOnly = settings->timesOnly();
                click(settings, QStringLiteral("settingsClose"));
            } else if (&dialog == &bank.prompt) {
                boxOwner = dialog.parentWidget();
                click(&dialog, QStringLiteral("promptMiddle"));
            }
        });
        CatalogueWindow catalogue(bank.context);
        catalogue.show();
        selectRow(catalogue, QStringLiteral("100101"));
        click(&catalogue, QStringLiteral("newQuestionsArea"));
        const auto &opened = bank.modal.opened();
        QCOMPARE(opened.size(), 3);
        QCOMPARE(opened.at(0).name, QStringLiteral("practiceWindow"));
        QCOMPARE(practiceOwner, &catalogue);
        QCOMPARE(opened.at(1).name, QStringLiteral("systemSettingsWindow"));
        QCOMPARE(opened.at(1).ownerName, QStringLiteral("practiceWindow"));
        QCOMPARE(opened.at(2).name, QStringLiteral("promptDialog"));
        QCOMPARE(opened.at(2).ownerName, QStringLiteral("practiceWindow"));
        QVERIFY(practiceWindow && settingsOwner == practiceWindow);
        QVERIFY(!timesOnly);
        QCOMPARE(bank.prompt.lastText(), QStringLiteral("请先做出答案！"));
        QVERIFY(boxOwner == settingsOwner && recordedOwner == settingsOwner);
        QCOMPARE(answered, int(ui::PromptDialog::Middle));
        QCOMPARE(bank.prompt.parentWidget(), nullptr); // back with its own owner
    }

    void theMenuWordsOpenTheCatalogueUntilItIsClosed()
    {
        PracticeUiBank bank;
        ui::CommandDispatcher dispatcher;
        QWidget menu;
        ui::addPracticeCommands(dispatcher, bank.context, &menu);
        for (const char *word : { "lx", "lx2", "lx3", "lx4", "lx5" }) {
            bool seen = false;
            bool closed = false;
            bank.modal.setDriver([&](QDialog &dialog) {
                auto *catalogue = qobject_cast<CatalogueWindow *>(&dialog);
                QVERIFY(catalogue && catalogue->isVisible());
                seen = catalogue->parentWidget() == &menu
                    && catalogue->windowModality() == Qt::ApplicationModal;
                QVERIFY(!QApplication::overrideCursor()); // the hourglass ends once it shows
                click(catalogue, QStringLiteral("closeArea"));
                closed = !catalogue->isVisible();
            });
            QVERIFY(dispatcher.dispatch(QLatin1String(word)));
            QVERIFY2(seen, word);
            QVERIFY2(closed, word);
        }
    }
};

VORLANE_UI_TEST(CatalogueWindowTest)
#include "CatalogueWindowTest.moc"
