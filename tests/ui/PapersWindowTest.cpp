#include "ExamUiFixture.h"
#include "UiTest.h"

#include "core/store/BankSnapshots.h"

#include "ui/exam/ExamSettingsWindow.h"
#include "ui/exam/ExamWindow.h"
#include "ui/exam/StoredPapersWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLCDNumber>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace vorlane;
using namespace vorlane::test;

class PapersWindowTest : public QObject
{
    Q_OBJECT

private:
    // Stored papers with these scores, each with its table; a full score of 100.
    static void storePapers(ExamUiFixture &f, const QList<double> &scores)
    {
        f.addType(1, 61, 100, 1);
        for (int i = 1; i <= scores.size(); ++i) {
            f.exec(QStringLiteral(
                       "INSERT INTO tab_cj (A1, A3, A3_1, A6, D2) VALUES (?1, ?2, ?3, ?4, '0:30:00')"),
                { QStringLiteral("tab_exam%1").arg(i), QStringLiteral("2026年03月08日Quorvel[%1]").arg(i), i,
                    scores.at(i - 1) });
            f.exec(QStringLiteral("CREATE TABLE tab_exam%1 (A1 TEXT)").arg(i));
        }
    }

private slots:
    void figuresOfTheStoredPapers()
    {
        ExamUiFixture f;
        f.setPlan(60, 7200);
        storePapers(f, { 80, 71, 59 });
        ui::StoredPapersWindow window(*f.context);
        window.show();
        QCOMPARE(child<QLCDNumber>(window, "papersSat")->intValue(), 3);
        QCOMPARE(child<QLCDNumber>(window, "papersPassed")->intValue(), 2);
        QCOMPARE(child<QLCDNumber>(window, "papersAverage")->intValue(), 70);
        QCOMPARE(child<QLabel>(window, "papersNotice")->text(),
            QStringLiteral("[提示]：成绩少于 60 分的试卷，不被保留。"));
        auto *list = child<QTableWidget>(window, "papersList");
        QCOMPARE(list->rowCount(), 3);
        QCOMPARE(list->item(0, 0)->text(), QStringLiteral("2026年03月08日Quorvel[3]")); // newest first
        QCOMPARE(list->item(0, 1)->text(), QStringLiteral("59"));
        QVERIFY(child<QPushButton>(window, "papersOpen")->isEnabled());
    }

    void noStoredPaper()
    {
        ExamUiFixture f;
        ui::StoredPapersWindow window(*f.context);
        QCOMPARE(child<QLCDNumber>(window, "papersSat")->intValue(), 0);
        QCOMPARE(child<QLCDNumber>(window, "papersAverage")->intValue(), 0);
        QVERIFY(!child<QPushButton>(window, "papersOpen")->isEnabled());
        QVERIFY(!child<QPushButton>(window, "papersDelete")->isEnabled());
    }

    void reviewingAStoredPaperNeverDropsIt()
    {
        ExamUiFixture f;
        f.setPlan(60, 7200);
        const exam::PaperIdentity made = f.makePaper(5);
        exam::ExamPaper sat(*f.db, f.clock);
        QVERIFY(sat.open(made).ok());
        QVERIFY(sat.saveAnswer(1, QStringLiteral("A")).ok());
        QVERIFY(sat.grade(1, QStringLiteral("0:03:00")).ok()); // 1 point, far below the pass mark

        ui::StoredPapersWindow window(*f.context);
        window.show();
        QString title;
        QString score;
        // The review is a child window: look at it and close it as the user would.
        f.modal.setDriver([&](QDialog &dialog) {
            auto *exam = qobject_cast<ui::ExamWindow *>(&dialog);
            QVERIFY(exam && exam->parentWidget() == &window);
            title = exam->windowTitle();
            score = child<QLabel>(*exam, "examScore")->text();
            QTest::mouseClick(child<QPushButton>(*exam, "examClose"), Qt::LeftButton);
        });
        QTest::mouseClick(child<QPushButton>(window, "papersOpen"), Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("查阅试卷"));
        QCOMPARE(score, QStringLiteral("得分：1 分"));
        QVERIFY(f.db->tableExists(made.table));
        QCOMPARE(f.scalar(QStringLiteral("SELECT count(*) FROM tab_cj")).toInt(), 1);
        QVERIFY(!f.progress.isVisible());
    }

    void aPaperThatCannotBeOpenedIsReportedAndTheListStays()
    {
        ExamUiFixture f;
        storePapers(f, { 80 });
        f.exec(QStringLiteral("DROP TABLE tab_exam1"));
        ui::StoredPapersWindow window(*f.context);
        window.show();
        f.prompt.queueAnswer(ui::PromptDialog::Middle);
        QTest::mouseClick(child<QPushButton>(window, "papersOpen"), Qt::LeftButton);
        QCOMPARE(f.prompt.lastText(), QStringLiteral("无法打开试卷！"));
        QVERIFY(window.isVisible());
        QVERIFY(!f.progress.isVisible());
        // It can still be deleted.
        f.prompt.queueAnswer(ui::PromptDialog::Left);
        QTest::mouseClick(child<QPushButton>(window, "papersDelete"), Qt::LeftButton);
        QCOMPARE(f.scalar(QStringLiteral("SELECT count(*) FROM tab_cj")).toInt(), 0);
    }

    void deletingAPaper_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("left");
        QTest::newRow("confirmed") << int(ui::PromptDialog::Left) << 1;
        QTest::newRow("cancelled") << int(ui::PromptDialog::Right) << 2;
    }

    void deletingAPaper()
    {
        QFETCH(int, answer);
        QFETCH(int, left);
        ExamUiFixture f;
        storePapers(f, { 80, 71 });
        ui::StoredPapersWindow window(*f.context);
        window.show();
        f.prompt.queueAnswer(answer);
        QTest::mouseClick(
            child<QPushButton>(window, "papersDelete"), Qt::LeftButton); // the newest is selected
        QCOMPARE(f.prompt.lastText(), QStringLiteral("即将删除试卷，要继续么？"));
        QCOMPARE(f.scalar(QStringLiteral("SELECT count(*) FROM tab_cj")).toInt(), left);
        QCOMPARE(f.db->tableExists(QStringLiteral("tab_exam2")), left == 2);
        QCOMPARE(child<QTableWidget>(window, "papersList")->rowCount(), left);
        QCOMPARE(child<QLCDNumber>(window, "papersSat")->intValue(), left);
        // A confirmed deletion keeps the bank as it was in a snapshot first, paper and all.
        const QList<SnapshotInfo> kept = BankSnapshots(f.db->path(), f.clock).list();
        QCOMPARE(kept.size(), left == 1 ? 1 : 0);
        if (left == 1) {
            QCOMPARE(kept.first().reason, SnapshotReason::BeforeDelete);
            auto before = openBank(kept.first().path);
            QVERIFY(before.ok());
            QVERIFY((*before)->tableExists(QStringLiteral("tab_exam2")));
        }
    }

    void settingsDefaultTimeAndSave()
    {
        ExamUiFixture f;
        f.addType(1, 61, 100, 1);
        f.setPlan(55, 600);
        ui::ExamSettingsWindow window(*f.context);
        window.show();
        QCOMPARE(child<QLineEdit>(window, "settingsPassMark")->text(), QStringLiteral("55"));
        QCOMPARE(child<QLineEdit>(window, "settingsExamMinutes")->text(), QStringLiteral("10"));
        auto *defaults = child<QPushButton>(window, "settingsDefaults");
        QVERIFY(!defaults->isEnabled());
        QTest::mouseClick(child<QCheckBox>(window, "settingsDefaultMinutes"), Qt::LeftButton);
        QVERIFY(defaults->isEnabled());
        QTest::mouseClick(defaults, Qt::LeftButton);
        QCOMPARE(child<QLineEdit>(window, "settingsExamMinutes")->text(), QStringLiteral("120"));
        QCOMPARE(child<QLineEdit>(window, "settingsPassMark")->text(), QStringLiteral("55"));
        QTest::mouseClick(child<QPushButton>(window, "settingsClose"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QCOMPARE(f.scalar(QStringLiteral("SELECT ExamTime FROM tab_plan")).toInt(), 7200);
        QCOMPARE(f.scalar(QStringLiteral("SELECT LeastMark FROM tab_plan")).toInt(), 55);
    }

    void settingsPassMarkAboveTheFullScore()
    {
        ExamUiFixture f;
        f.addType(1, 61, 100, 1);
        ui::ExamSettingsWindow window(*f.context);
        window.show();
        auto *mark = child<QLineEdit>(window, "settingsPassMark");
        mark->clear();
        f.prompt.queueAnswer(ui::PromptDialog::Middle);
        QTest::keyClicks(mark, QStringLiteral("250"));
        QCOMPARE(f.prompt.lastText(), QStringLiteral("最低分数不能超过总分数！"));
        QCOMPARE(mark->text(), QStringLiteral("100"));
        // An empty time cannot be stored: nothing is, and the window still closes.
        child<QLineEdit>(window, "settingsExamMinutes")->clear();
        f.prompt.queueAnswer(ui::PromptDialog::Middle);
        QTest::mouseClick(child<QPushButton>(window, "settingsClose"), Qt::LeftButton);
        QCOMPARE(f.prompt.lastText(), QStringLiteral("保存设置失败！"));
        QCOMPARE(f.scalar(QStringLiteral("SELECT LeastMark FROM tab_plan")).toInt(), 0);
        QVERIFY(!window.isVisible());
    }
};

VORLANE_UI_TEST(PapersWindowTest)

#include "PapersWindowTest.moc"
