#include "PracticeUiBank.h"
#include "UiTest.h"

#include "ui/practice/CatalogueWindow.h"
#include "ui/practice/PracticeCommands.h"
#include "ui/shell/CommandDispatcher.h"

#include <QApplication>
#include <QTimer>

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
        CatalogueWindow catalogue(bank.context, bank.hooks);
        catalogue.show();
        QCOMPARE(display(catalogue, "totalQuestions"), 10000);
        QCOMPARE(display(catalogue, "totalAnswers"), 0);
        QCOMPARE(scoreText(catalogue), QStringLiteral("分数")); // no answer recorded yet
        auto *grid = catalogue.findChild<QTableView *>(QStringLiteral("catalogueGrid"));
        QCOMPARE(grid->model()->rowCount(), 4); // the hidden row is not listed
        QCOMPARE(catalogue.currentCode(), QStringLiteral("1"));
        QVERIFY(bank.state.catalogueShown);
    }

    void refusesHeadings()
    {
        PracticeUiBank bank;
        bank.addQuestions(1);
        CatalogueWindow catalogue(bank.context, bank.hooks);
        catalogue.show();
        selectRow(catalogue, QStringLiteral("10"));
        bool practised = false;
        bank.hooks.runModal = [&](QDialog &) { return practised = true, 0; };
        bank.prompt.setNextAnswer(3);
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
        CatalogueWindow catalogue(bank.context, bank.hooks);
        catalogue.show();
        selectRow(catalogue, QStringLiteral("100102"));
        bank.prompt.setNextAnswer(3);
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
        bank.hooks.runModal = [&](QDialog &dialog) {
            auto &practice = static_cast<PracticeWindow &>(dialog);
            dialog.show();
            hiddenWhilePractising = !bank.state.catalogueShown;
            noticeBoard = dialog.findChild<QLabel *>(QStringLiteral("noticeBoard"))->text();
            click(&practice, QStringLiteral("option0A"));
            click(&practice, QStringLiteral("nextButton"));
            click(&practice, QStringLiteral("option0B"));
            dialog.close();
            return 0;
        };
        CatalogueWindow catalogue(bank.context, bank.hooks);
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
        bank.prompt.setNextAnswer(3);
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
        bank.hooks.runModal = [&](QDialog &dialog) {
            listed = static_cast<PracticeWindow &>(dialog).session().count();
            return 0;
        };
        CatalogueWindow catalogue(bank.context, bank.hooks);
        catalogue.show();
        selectRow(catalogue, QStringLiteral("1001"));
        click(&catalogue, QStringLiteral("newQuestionsArea"));
        QCOMPARE(listed, 2);
    }

    void settingsOpenInTheirFullLayout()
    {
        PracticeUiBank bank;
        QWidget *owner = nullptr;
        bank.state.settingsTimesOnly = true;
        bank.hooks.openSettings = [&](QWidget *window) { owner = window; };
        CatalogueWindow catalogue(bank.context, bank.hooks);
        catalogue.show();
        click(&catalogue, QStringLiteral("settingsArea"));
        QCOMPARE(owner, &catalogue);
        QVERIFY(!bank.state.settingsTimesOnly);
        click(&catalogue, QStringLiteral("closeArea"));
        QVERIFY(!catalogue.isVisible());
        QVERIFY(!bank.state.catalogueShown);
    }

    void theMenuWordsOpenTheCatalogueUntilItIsClosed()
    {
        PracticeUiBank bank;
        ui::CommandDispatcher dispatcher;
        QWidget menu;
        ui::addPracticeCommands(dispatcher, bank.context, &menu);
        for (const char *word : { "lx", "lx2", "lx3", "lx4", "lx5" }) {
            bool seen = false;
            QTimer::singleShot(0, [&] {
                for (QWidget *window : QApplication::topLevelWidgets()) {
                    if (auto *catalogue = qobject_cast<CatalogueWindow *>(window);
                        catalogue && catalogue->isVisible()) {
                        seen = catalogue->isModal() || catalogue->windowModality() == Qt::ApplicationModal;
                        QVERIFY(!QApplication::overrideCursor()); // the hourglass ends once it shows
                        click(catalogue, QStringLiteral("closeArea"));
                    }
                }
            });
            QVERIFY(dispatcher.dispatch(QLatin1String(word)));
            QVERIFY2(seen, word);
        }
    }
};

VORLANE_UI_TEST(CatalogueWindowTest)
#include "CatalogueWindowTest.moc"
