#include "ExamUiFixture.h"
#include "UiTest.h"

#include "core/exam/UnfinishedPapers.h"
#include "ui/exam/ExamCommands.h"
#include "ui/exam/ExamWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>

using namespace vorlane;
using vorlane::test::ExamUiFixture;

namespace {

void answerWithKeys(ui::ExamWindow &window, int count)
{
    for (int i = 0; i < count; ++i) {
        QTest::keyClick(&window, Qt::Key_A);
        QTest::keyClick(&window, Qt::Key_Return);
    }
}

} // namespace

class ExamContinueTest : public QObject
{
    Q_OBJECT

private slots:
    // The program ends in the middle of an exam without any closing code running (as when it
    // is killed): the next "模拟考试" of the subject offers the paper, and continuing it shows
    // its 20 answers and goes on from the time used.
    void aPaperLeftUnendedIsContinuedWithItsAnswersAndTime()
    {
        ExamUiFixture f;
        const exam::PaperIdentity made = f.makePaper(30);
        {
            auto window = std::make_unique<ui::ExamWindow>(*f.context);
            QVERIFY(window->openPaper(made));
            window->show();
            f.clock.advance(600);
            answerWithKeys(*window, 20);
            // Gone without finish(): nothing of closing runs.
        }
        QCOMPARE(f.scalar(QStringLiteral("SELECT used FROM tab_sitting")).toInt(), 600);

        int answeredSeen = -1;
        QString timeSeen;
        f.modal.setDriver([&](QDialog &dialog) {
            auto *exam = qobject_cast<ui::ExamWindow *>(&dialog);
            QVERIFY(exam);
            QCOMPARE(exam->paper().identity().table, made.table);
            answeredSeen = 0;
            for (int row = 1; row <= exam->paper().questionCount(); ++row)
                answeredSeen += exam->paper().question(row).isAnswered();
            timeSeen = dialog.findChild<QLabel *>(QStringLiteral("examRunningTime"))->text();
        });
        f.prompt.queueAnswer(ui::PromptDialog::Left);
        QRandomGenerator random(3);
        QVERIFY(ui::sitNewPaper(*f.context, 1, nullptr, random));
        QVERIFY2(f.prompt.shown().first().text.contains(QStringLiteral("已答 20/30 题，用时 0:10:00")),
            qPrintable(f.prompt.shown().first().text));
        QCOMPARE(answeredSeen, 20);
        QCOMPARE(timeSeen, QStringLiteral("0:10:00"));
        // No second paper was made.
        QCOMPARE(f.scalar(QStringLiteral("SELECT count(*) FROM tab_cj")).toInt(), 1);
    }

    // Declined, it stays among the stored papers, ungraded, with its time; a new paper follows.
    void aDeclinedPaperIsKeptUngraded()
    {
        ExamUiFixture f;
        const exam::PaperIdentity made = f.makePaper(30);
        {
            ui::ExamWindow window(*f.context);
            QVERIFY(window.openPaper(made));
            f.clock.advance(95);
            answerWithKeys(window, 3);
        }
        f.prompt.queueAnswer(ui::PromptDialog::Right);
        QRandomGenerator random(3);
        QVERIFY(ui::sitNewPaper(*f.context, 1, nullptr, random));
        QCOMPARE(f.scalar(QStringLiteral("SELECT count(*) FROM tab_cj")).toInt(), 2);
        QVERIFY(f.scalar(QStringLiteral("SELECT A6 FROM tab_cj WHERE A1=?1"), { made.table }).isNull());
        QCOMPARE(f.scalar(QStringLiteral("SELECT D2 FROM tab_cj WHERE A1=?1"), { made.table }).toString(),
            QStringLiteral("0:01:35"));
        QVERIFY(exam::UnfinishedPapers(*f.db).list(1)->size() <= 1); // only the new one, being sat
    }
};

VORLANE_UI_TEST(ExamContinueTest)
#include "ExamContinueTest.moc"
