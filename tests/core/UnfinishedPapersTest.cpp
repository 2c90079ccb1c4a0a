#include "ExamFixture.h"

#include "core/exam/ExamPaper.h"
#include "core/exam/PaperGenerator.h"
#include "core/exam/StoredPapers.h"
#include "core/exam/UnfinishedPapers.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>

using namespace vorlane;
using namespace vorlane::exam;
using vorlane::test::ExamBank;

namespace {

class UnfinishedPapersTest : public ::testing::Test
{
protected:
    UnfinishedPapersTest()
    {
        bank.addType(1, 61, QStringLiteral("单选"), 60, 1);
        bank.exec(
            QStringLiteral("INSERT INTO tab_kmmc (C1, C2) VALUES ('1','s'),('10','p'),('100101','ch')"));
        bank.addQuestions(3, 61, QStringLiteral("100101"));
        bank.setPlan(60, 7200);
    }

    // A paper of subject 1's draw, sat as the subject given.
    PaperIdentity sit(int subject)
    {
        QRandomGenerator random(7);
        const Result<PaperIdentity> made = PaperGenerator(bank.db(), bank.clock, random).generate(1);
        EXPECT_TRUE(made.ok()) << made.reason().toStdString();
        EXPECT_TRUE(papers.begin(made->table, subject).ok());
        return *made;
    }

    ExamBank bank;
    UnfinishedPapers papers { bank.db() };
};

} // namespace

// The program ended during a sitting: the paper is found with its answers and time, and opens
// again with the answers kept and the clock going on.
TEST_F(UnfinishedPapersTest, AnUnendedSittingIsFoundAndContinuedWithItsAnswersAndTime)
{
    const PaperIdentity made = sit(1);
    {
        ExamPaper paper(bank.db(), bank.clock);
        ASSERT_TRUE(paper.open(made).ok());
        ASSERT_TRUE(paper.saveAnswer(1, QStringLiteral("A")).ok());
        ASSERT_TRUE(paper.saveAnswer(2, QStringLiteral("C")).ok());
        ASSERT_TRUE(papers.storeTime(made.table, 754).ok());
    } // the window is gone without grading or giving up

    const Result<QList<UnfinishedPaper>> found = UnfinishedPapers(bank.db()).list();
    ASSERT_TRUE(found.ok());
    ASSERT_EQ(found->size(), 1);
    const UnfinishedPaper &unfinished = found->first();
    EXPECT_EQ(unfinished.table, made.table);
    EXPECT_EQ(unfinished.title, made.title);
    EXPECT_EQ(unfinished.subject, 1);
    EXPECT_EQ(unfinished.usedSeconds, 754);
    EXPECT_EQ(unfinished.answered, 2);
    EXPECT_EQ(unfinished.questions, 3);

    ExamPaper continued(bank.db(), bank.clock);
    ASSERT_TRUE(continued.open(unfinished.identity()).ok());
    EXPECT_TRUE(continued.isNew());
    EXPECT_EQ(continued.question(1).answer, QStringLiteral("A"));
    EXPECT_EQ(continued.question(2).answer, QStringLiteral("C"));
    ExamClock clock(bank.clock);
    clock.resumeFrom(unfinished.usedSeconds);
    clock.start();
    bank.clock.advance(6);
    EXPECT_EQ(clock.elapsedSeconds(), 760);

    // Graded, it is no longer unfinished.
    ASSERT_TRUE(continued.grade(1, clock.elapsedText()).ok());
    ASSERT_TRUE(papers.end(made.table).ok());
    EXPECT_TRUE(papers.list()->isEmpty());
}

// Declined, the paper stays in the stored papers, ungraded, with the time it was sat, and is
// not offered again.
TEST_F(UnfinishedPapersTest, DeclinedPaperIsKeptUngradedAndNotOfferedAgain)
{
    const PaperIdentity made = sit(1);
    ASSERT_TRUE(papers.storeTime(made.table, 3723).ok());
    ASSERT_TRUE(papers.keepUngraded(made.table).ok());
    EXPECT_TRUE(papers.list()->isEmpty());
    const Result<QList<StoredPaper>> stored = StoredPapers(bank.db(), bank.clock).list();
    ASSERT_TRUE(stored.ok());
    ASSERT_EQ(stored->size(), 1);
    EXPECT_FALSE(stored->first().score.has_value());
    EXPECT_EQ(stored->first().timeUsed, QStringLiteral("1:02:03"));
}

TEST_F(UnfinishedPapersTest, OnlyTheSubjectAskedForAndOnlyPapersThatStillExist)
{
    const PaperIdentity first = sit(1);
    bank.clock.advance(60);
    const PaperIdentity second = sit(2);
    EXPECT_EQ(papers.list()->size(), 2);
    ASSERT_EQ(papers.list(2)->size(), 1);
    EXPECT_EQ(papers.list(2)->first().table, second.table);
    bank.exec(QStringLiteral("DROP TABLE ") + first.table);
    EXPECT_EQ(papers.list(1)->size(), 0);
}

// A bank that could not be brought forward (read-only) has no record of sittings: nothing is
// found and nothing fails.
TEST_F(UnfinishedPapersTest, ABankWithoutTheRecordHasNone)
{
    bank.exec(QStringLiteral("DROP TABLE tab_sitting"));
    EXPECT_TRUE(papers.begin(QStringLiteral("tab_exam1"), 1).ok());
    EXPECT_TRUE(papers.list().ok());
    EXPECT_TRUE(papers.list()->isEmpty());
}

namespace {
constexpr char SitterBank[] = "VORLANE_SITTER_BANK";
constexpr char SitterTable[] = "VORLANE_SITTER_TABLE";
} // namespace

// Not a test of its own: the process the test below kills. It sits the paper as the exam
// window does (the sitting on record, every answer stored with the time used), says when it has
// answered 20 questions, and waits to be killed.
TEST(ExamSitterChild, AnswerTwentyAndWait)
{
    const QString path = qEnvironmentVariable(SitterBank);
    if (path.isEmpty())
        GTEST_SKIP() << "only run as the child of UnfinishedPapersKill.KilledAfterTwentyAnswers";
    auto db = openBank(path);
    ASSERT_TRUE(db) << db.reason().toStdString();
    FixedClock clock(QDateTime(QDate(2026, 3, 8), QTime(9, 0)));
    ExamPaper paper(**db, clock);
    PaperIdentity identity;
    identity.table = qEnvironmentVariable(SitterTable);
    ASSERT_TRUE(paper.open(identity).ok());
    UnfinishedPapers sittings(**db);
    ASSERT_TRUE(sittings.begin(identity.table, 1).ok());
    ExamClock examClock(clock);
    examClock.start();
    for (int row = 1; row <= 20; ++row) {
        clock.advance(30);
        ASSERT_TRUE(paper.saveAnswer(row, row % 2 ? QStringLiteral("A") : QStringLiteral("B")).ok());
        ASSERT_TRUE(sittings.storeTime(identity.table, examClock.elapsedSeconds()).ok());
    }
    std::printf("answered 20\n");
    std::fflush(stdout);
    for (;;)
        QThread::sleep(1);
}

// A real process sitting a paper is killed outright after 20 answers: the next start finds the
// paper with its 20 answers and the 10 minutes used, and continues it with them.
TEST(UnfinishedPapersKill, KilledAfterTwentyAnswers)
{
    ExamBank bank;
    bank.addType(1, 61, QStringLiteral("单选"), 30, 1);
    bank.exec(QStringLiteral("INSERT INTO tab_kmmc (C1, C2) VALUES ('1','s'),('10','p'),('100101','ch')"));
    bank.addQuestions(30, 61, QStringLiteral("100101"));
    bank.setPlan(60, 7200);
    QRandomGenerator random(9);
    const Result<PaperIdentity> made = PaperGenerator(bank.db(), bank.clock, random).generate(1);
    ASSERT_TRUE(made.ok());
    bank.close();

    QProcess sitter;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(SitterBank), bank.path());
    environment.insert(QLatin1String(SitterTable), made->table);
    sitter.setProcessEnvironment(environment);
    sitter.start(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")),
        { QStringLiteral("--gtest_filter=ExamSitterChild.AnswerTwentyAndWait") });
    ASSERT_TRUE(sitter.waitForStarted(10000));
    bool answered = false;
    while (!answered) {
        ASSERT_TRUE(sitter.canReadLine() || sitter.waitForReadyRead(20000)) << "the sitter never answered";
        while (sitter.canReadLine())
            answered |= sitter.readLine().trimmed() == "answered 20";
    }
    sitter.kill();
    ASSERT_TRUE(sitter.waitForFinished(10000));

    auto db = openBank(bank.path());
    ASSERT_TRUE(db) << db.reason().toStdString();
    const Result<QList<UnfinishedPaper>> found = UnfinishedPapers(**db).list(1);
    ASSERT_TRUE(found.ok());
    ASSERT_EQ(found->size(), 1);
    EXPECT_EQ(found->first().table, made->table);
    EXPECT_EQ(found->first().answered, 20);
    EXPECT_EQ(found->first().usedSeconds, 600);
    ExamPaper continued(**db, bank.clock);
    ASSERT_TRUE(continued.open(found->first().identity()).ok());
    for (int row = 1; row <= 20; ++row)
        EXPECT_EQ(continued.question(row).answer, row % 2 ? QStringLiteral("A") : QStringLiteral("B")) << row;
    EXPECT_FALSE(continued.question(21).isAnswered());
    // Every answer was counted with its counters before the kill.
    EXPECT_EQ((*db)->scalar(QStringLiteral("SELECT sum(E3) FROM tab_answ")).toInt(), 20);
}
