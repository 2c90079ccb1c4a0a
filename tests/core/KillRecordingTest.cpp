#include "PracticeFixture.h"

#include "core/practice/PracticeSession.h"
#include "core/store/BankCheck.h"
#include "core/store/QuestionCounts.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>
#include <memory>

using namespace vorlane;
using vorlane::test::PracticeBank;

namespace {

constexpr char ChildBank[] = "VORLANE_RECORD_CHILD";
constexpr char ChildSeed[] = "VORLANE_RECORD_SEED";

} // namespace

// Not a test of its own: the process the test below starts and kills. It records random
// answers through the practice session, and now and then ends a session, until it is killed.
TEST(RecordingChild, RecordUntilKilled)
{
    const QString path = qEnvironmentVariable(ChildBank);
    if (path.isEmpty())
        GTEST_SKIP() << "only run as the child of KillRecording.CountersMatchTheRowsAfterEveryKill";
    auto db = openBank(path);
    ASSERT_TRUE(db) << db.reason().toStdString();
    const FixedClock clock(QDateTime(QDate(2026, 3, 14), QTime(9, 0)));
    PracticeSession session(**db, clock);
    ASSERT_TRUE(
        session.openQuestionList({ QStringLiteral("select * from tab_answ order by a1"), {} }).value());
    QRandomGenerator random(quint32(qEnvironmentVariableIntValue(ChildSeed)));
    std::printf("ready\n");
    std::fflush(stdout);
    const QString answers[]
        = { QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("") };
    for (int n = 1;; ++n) {
        const int position = int(random.bounded(1, session.count() + 1));
        ASSERT_TRUE(session.recordAnswer(position, answers[random.bounded(4)]).ok());
        if (n % 20 == 0) {
            ASSERT_TRUE(session.finish(QStringLiteral("0:00:07")).ok());
        }
    }
}

// A real recording process killed at random moments, again and again: after every kill the
// bank passes the page check and every counter agrees with the question rows.
TEST(KillRecording, CountersMatchTheRowsAfterEveryKill)
{
    PracticeBank bank;
    const QStringList points
        = { QStringLiteral("1100010001"), QStringLiteral("1100010002"), QStringLiteral("1100010003") };
    for (int i = 0; i < 24; ++i)
        bank.addQuestion(QStringLiteral("q%1").arg(i, 2, 10, QLatin1Char('0')),
            i % 2 ? QStringLiteral("100101") : QStringLiteral("100102"), 61,
            QStringList { QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C") }.at(i % 3), 4,
            i % 4 ? QStringList { points.at(i % 3), points.at((i + 1) % 3) } : QStringList {});
    {
        Transaction counting(bank.db());
        QuestionCounts(bank.db()).recountAll();
        counting.commit();
    }
    bank.close();

    constexpr int Kills = 50;
    QRandomGenerator random(20261210);
    qint64 answersBefore = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(ChildBank), bank.path());
        environment.insert(QLatin1String(ChildSeed), QString::number(kill + 1));
        child.setProcessEnvironment(environment);
        child.start(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")),
            { QStringLiteral("--gtest_filter=RecordingChild.RecordUntilKilled") });
        ASSERT_TRUE(child.waitForStarted(10000));
        bool ready = false;
        while (!ready) {
            ASSERT_TRUE(child.canReadLine() || child.waitForReadyRead(20000)) << "the recorder never started";
            while (child.canReadLine())
                ready |= child.readLine().trimmed() == "ready";
        }
        QThread::msleep(random.bounded(5, 120));
        ASSERT_EQ(child.state(), QProcess::Running) << child.readAllStandardOutput().constData();
        child.kill();
        ASSERT_TRUE(child.waitForFinished(10000));

        auto db = openBank(bank.path());
        ASSERT_TRUE(db) << "after kill " << kill << ": " << db.reason().toStdString();
        BankCheckOptions look;
        look.repair = false;
        BankCheckReport report = checkBank(**db, nullptr, look);
        // The scores are worked out when a session ends, which a killed one never does: a
        // stale score is expected there, a counter out of step with the rows is not.
        report.found.remove(CheckFinding::CatalogueScore);
        ASSERT_TRUE(report.damage.isEmpty()) << "after kill " << kill << ": " << report.damage.toStdString();
        ASSERT_TRUE(report.found.isEmpty()) << "after kill " << kill << ":\n" << report.text().toStdString();
        const qint64 answers = (*db)->scalar(QStringLiteral("SELECT sum(E3) FROM tab_answ")).toLongLong();
        EXPECT_GE(answers, answersBefore);
        answersBefore = answers;
    }
    // The kills fell while answers were being recorded, not before the first.
    EXPECT_GT(answersBefore, Kills);
}
