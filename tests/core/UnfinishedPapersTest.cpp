#include "ExamFixture.h"

#include "core/exam/ExamPaper.h"
#include "core/exam/PaperGenerator.h"
#include "core/exam/StoredPapers.h"
#include "core/exam/UnfinishedPapers.h"

#include <QRandomGenerator>

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
