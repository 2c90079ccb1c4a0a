#include "PracticeUiBank.h"
#include "ShellFixture.h"
#include "UiTest.h"

#include "core/store/BankSnapshots.h"
#include "ui/maintenance/BackupWindow.h"
#include "ui/maintenance/BankCheckWindow.h"
#include "ui/maintenance/SessionEnd.h"
#include "ui/practice/CatalogueWindow.h"
#include "ui/widgets/PracticeWindow.h"

#include <QLCDNumber>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTimer>

using namespace vorlane;
using vorlane::test::click;

namespace {

// A chapter with two questions, one answered twice (once wrong), and its counters wrong.
void answeredWithStaleCounters(test::ShellFixture &f)
{
    f.exec(QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C2) VALUES (1,'1','科目一'),(2,'100101','第一章')"));
    f.exec(QStringLiteral("INSERT INTO tab_answ (A1, A2, A10, A13, E2, E3, E4) VALUES "
                          "('q1','A','100101',61,'A',2,-2),('q2','B','100101',61,NULL,0,0)"));
    f.exec(QStringLiteral("UPDATE tab_kmmc SET C3=2, C4=0, D1=0, D2=0, C6='0'"));
}

QString cell(QTableWidget *list, int row, int column)
{
    return list->item(row, column) ? list->item(row, column)->text() : QString();
}

} // namespace

class MaintenanceWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    // 检查数据: the progress window runs, the report counts what was fixed, the bank holds the
    // rebuilt figures and a snapshot of what it was; a second run is clean.
    void checkWindowRepairsReportsAndASecondRunIsClean()
    {
        test::ShellFixture f;
        answeredWithStaleCounters(f);
        ui::BankCheckWindow window(*f.context);
        window.runCheck();
        window.show();
        auto *summary = window.findChild<QLabel *>(QStringLiteral("checkSummary"));
        auto *report = window.findChild<QPlainTextEdit *>(QStringLiteral("checkReport"));
        QCOMPARE(summary->text(), QStringLiteral("已修复。"));
        QVERIFY2(report->toPlainText().contains(QStringLiteral("章节的“已做道次”与做题记录不符：2 处")),
            qPrintable(report->toPlainText()));
        QCOMPARE(f.scalar(QStringLiteral("SELECT D1 FROM tab_kmmc WHERE C1='1'")).toInt(), 2);
        QCOMPARE(f.scalar(QStringLiteral("SELECT C4 FROM tab_kmmc WHERE C1='100101'")).toInt(), 1);
        QVERIFY(!f.progress.isVisible());
        const QList<SnapshotInfo> kept = BankSnapshots(f.db->path(), f.clock).list();
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept.first().reason, SnapshotReason::BeforeRepair);

        click(&window, QStringLiteral("checkAgain"));
        QCOMPARE(summary->text(), QStringLiteral("题库完好。"));
        QCOMPARE(BankSnapshots(f.db->path(), f.clock).list().size(), 1);
    }

    // 数据备份: the list says when, why, how big and how many answers; a restore asks first,
    // brings the rows back, and keeps the bank it replaced as the newest snapshot.
    void backupWindowListsAndRestoresAfterAsking()
    {
        test::ShellFixture f;
        answeredWithStaleCounters(f);
        BankSnapshots snapshots(f.db->path(), f.clock);
        QVERIFY(snapshots.take(*f.db, SnapshotReason::Daily).ok());
        f.clock.advance(24 * 3600);
        f.exec(QStringLiteral("UPDATE tab_answ SET E3=5 WHERE A1='q1'"));
        QVERIFY(snapshots.take(*f.db, SnapshotReason::BeforeDelete).ok());
        f.exec(QStringLiteral("DELETE FROM tab_answ"));

        ui::BackupWindow window(*f.context);
        window.show();
        auto *list = window.findChild<QTableWidget *>(QStringLiteral("backupList"));
        QCOMPARE(list->rowCount(), 2);
        QCOMPARE(cell(list, 0, 0), QStringLiteral("2026-12-11 09:00"));
        QCOMPARE(cell(list, 0, 1), QStringLiteral("删除试卷前"));
        QCOMPARE(cell(list, 0, 3), QStringLiteral("5"));
        QCOMPARE(cell(list, 1, 1), QStringLiteral("每日备份"));
        QCOMPARE(cell(list, 1, 3), QStringLiteral("2"));
        QVERIFY(cell(list, 1, 2).endsWith(QStringLiteral(" MB")));

        // Declined: nothing changes.
        list->selectRow(1);
        f.prompt.queueAnswer(ui::PromptDialog::Right);
        click(&window, QStringLiteral("backupRestore"));
        QCOMPARE(f.scalar(QStringLiteral("SELECT count(*) FROM tab_answ")).toInt(), 0);
        QCOMPARE(list->rowCount(), 2);

        f.clock.advance(3600);
        list->selectRow(1);
        f.prompt.queueAnswers({ ui::PromptDialog::Left, ui::PromptDialog::Middle });
        click(&window, QStringLiteral("backupRestore"));
        QVERIFY2(f.prompt.shown()
                     .at(f.prompt.shown().size() - 2)
                     .text.contains(QStringLiteral("2026-12-10 09:00")),
            qPrintable(f.prompt.shown().at(f.prompt.shown().size() - 2).text));
        QCOMPARE(f.prompt.lastText(), QStringLiteral("恢复成功！"));
        QCOMPARE(f.scalar(QStringLiteral("SELECT sum(E3) FROM tab_answ")).toInt(), 2);
        // The bank it replaced, with no questions, is the newest snapshot now.
        QCOMPARE(cell(list, 0, 1), QStringLiteral("恢复备份前"));
        QCOMPARE(cell(list, 0, 3), QStringLiteral("0"));
    }

    void backupNowAddsASnapshot()
    {
        test::ShellFixture f;
        ui::BackupWindow window(*f.context);
        auto *list = window.findChild<QTableWidget *>(QStringLiteral("backupList"));
        QCOMPARE(list->rowCount(), 0);
        QVERIFY(!window.findChild<QPushButton *>(QStringLiteral("backupRestore"))->isEnabled());
        click(&window, QStringLiteral("backupNow"));
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(f.prompt.shown().size(), 0);
    }

    // Viewing a note and closing it writes nothing: on a bank where writing the note fails,
    // no error comes, and the stored text keeps its own line breaks.
    void viewingANoteWritesNothing()
    {
        test::PracticeUiBank bank;
        bank.addQuestions(1);
        bank.exec(QStringLiteral("UPDATE tab_answ SET A14=?1"), { QStringLiteral("第一行\r\n第二行") });
        bank.db().execScript(QStringLiteral("CREATE TEMP TRIGGER noWrites BEFORE UPDATE OF A14 ON tab_answ "
                                            "BEGIN SELECT RAISE(ABORT, 'read only'); END"));
        bank.modal.setDriver([](QDialog &dialog) { click(&dialog, QStringLiteral("closeButton")); });
        auto window = bank.openPractice();
        click(window.get(), QStringLiteral("noteButton"));
        QCOMPARE(bank.prompt.shown().size(), 0);
        QCOMPARE(bank.column(QStringLiteral("q001"), "A14"), QStringLiteral("第一行\r\n第二行"));
    }

    // The catalogue's totals show every figure whole, past five digits.
    void catalogueTotalsShowLargeFiguresWhole()
    {
        test::PracticeUiBank bank;
        bank.exec(QStringLiteral("UPDATE tab_kmmc SET D1=123456, D2=100001, C4=1 WHERE C1='100101'"));
        ui::CatalogueWindow window(bank.context);
        window.show();
        auto *answers = window.findChild<QLCDNumber *>(QStringLiteral("totalAnswers"));
        auto *wrong = window.findChild<QLCDNumber *>(QStringLiteral("totalWrong"));
        QVERIFY(answers && wrong);
        QCOMPARE(answers->intValue(), 123456);
        QCOMPARE(wrong->intValue(), 100001);
        QVERIFY(!answers->checkOverflow(123456));
    }

    // Ending the session (a signal, logging out) closes the windows as the user would: the
    // answer on screen is recorded and the time goes into today's log.
    void endingTheSessionRecordsWhatClosingRecords()
    {
        test::PracticeUiBank bank;
        bank.addQuestions(2);
        bank.modal.setDriver({}); // windows run for real, in their own loop
        std::unique_ptr<ui::PracticeWindow> window;
        QTimer::singleShot(0, [&] {
            window = bank.openPractice();
            QVERIFY(window);
            bank.clock.advance(75);
            click(window.get(), QStringLiteral("option0A"));
            QTimer::singleShot(0, [] { ui::SessionEnd::closeWindowsAndQuit(); });
            bank.context.modal.run(*window);
        });
        QCoreApplication::exec();
        QCOMPARE(bank.column(QStringLiteral("q001"), "E2"), QStringLiteral("A"));
        QCOMPARE(bank.integer(QStringLiteral("SELECT A2 FROM tab_rz")), 1);
        QCOMPARE(bank.text(QStringLiteral("SELECT D1 FROM tab_rz")), QStringLiteral("00:01:15"));
    }
};

VORLANE_UI_TEST(MaintenanceWindowsTest)

#include "MaintenanceWindowsTest.moc"
