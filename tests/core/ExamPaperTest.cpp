#include "ExamFixture.h"

#include "core/exam/ExamPaper.h"
#include "core/exam/PaperGenerator.h"
#include "core/exam/StoredPapers.h"

#include <QRandomGenerator>

using namespace vorlane;
using namespace vorlane::exam;
using vorlane::test::ExamBank;

namespace {

// A paper of three single-choice questions (1 point each; Q3's key is empty) ready to sit.
class ExamPaperTest : public ::testing::Test
{
protected:
    ExamPaperTest()
    {
        bank.addType(1, 61, QStringLiteral("单选"), 60, 1);
        bank.exec(QStringLiteral(
            "INSERT INTO tab_kmmc (C1, C2) VALUES ('1','s'),('10','p'),('1001','c'),('100101','ch')"));
        bank.exec(QStringLiteral("INSERT INTO tab_rule (ftid, id) VALUES ('1001010001','100101')"));
        bank.exec(QStringLiteral("INSERT INTO tab_fgmc (id) VALUES ('100101'),('10')"));
        bank.addQuestion(QStringLiteral("Q1"), 61, QStringLiteral("100101"), QStringLiteral("A"));
        bank.addQuestion(QStringLiteral("Q2"), 61, QStringLiteral("100101"), QStringLiteral("B"));
        bank.addQuestion(QStringLiteral("Q3"), 61, QStringLiteral("100101"), QString());
        bank.exec(QStringLiteral("UPDATE tab_answ SET K3='1001010001' WHERE A1='Q1'"));
        bank.setPlan(60, 7200);
        QRandomGenerator random(7);
        const Result<PaperIdentity> made = PaperGenerator(bank.db(), bank.clock, random).generate(1);
        EXPECT_TRUE(made.ok());
        identity = *made;
        EXPECT_TRUE(paper.open(identity).ok());
    }

    QVariant answ(const char *column, const char *id)
    {
        return bank.scalar(QStringLiteral("SELECT %1 FROM tab_answ WHERE A1=?1").arg(QLatin1String(column)),
            { QLatin1String(id) });
    }
    int logAnswers() { return bank.scalar(QStringLiteral("SELECT coalesce(sum(A2),0) FROM tab_rz")).toInt(); }

    ExamBank bank;
    PaperIdentity identity;
    ExamPaper paper { bank.db(), bank.clock };
};

TEST_F(ExamPaperTest, EveryNewOrChangedAnswerCountsAsAPracticeAnswer)
{
    ASSERT_EQ(paper.question(1).id, QStringLiteral("Q1"));
    ASSERT_TRUE(paper.saveAnswer(1, QStringLiteral("B")).ok()); // wrong, first ever
    EXPECT_EQ(answ("E3", "Q1").toInt(), 1);
    EXPECT_EQ(answ("E4", "Q1").toInt(), -3);
    EXPECT_EQ(answ("E2", "Q1").toString(), QStringLiteral("B"));
    EXPECT_EQ(answ("E1", "Q1").toString(), QStringLiteral("2026-03-08"));
    EXPECT_EQ(logAnswers(), 1);
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT D2 FROM tab_kmmc WHERE C1='1'")).toInt(), 1);
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT q4 FROM tab_rule")).toInt(), 1);
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT E2_1 FROM tab_exam1 WHERE A1='Q1'")).toString(),
        QStringLiteral("B"));

    ASSERT_TRUE(paper.saveAnswer(1, QStringLiteral("B")).ok()); // unchanged: nothing counted
    EXPECT_EQ(answ("E3", "Q1").toInt(), 1);
    EXPECT_EQ(logAnswers(), 1);

    ASSERT_TRUE(paper.saveAnswer(1, QStringLiteral("A")).ok()); // changed and right
    EXPECT_EQ(answ("E3", "Q1").toInt(), 2);
    EXPECT_EQ(answ("E4", "Q1").toInt(), -2);
    EXPECT_EQ(logAnswers(), 2);
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT B2 FROM tab_rz")).toInt(), 0);
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT C4 FROM tab_kmmc WHERE C1='100101'")).toInt(), 1);
}

TEST_F(ExamPaperTest, ClearingAnAnswerCountsNothing)
{
    ASSERT_TRUE(paper.saveAnswer(2, QStringLiteral("B")).ok());
    ASSERT_TRUE(paper.saveAnswer(2, QString()).ok());
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT E2_1 FROM tab_exam1 WHERE A1='Q2'")).toString(), QString());
    EXPECT_EQ(answ("E3", "Q2").toInt(), 1);
    EXPECT_EQ(logAnswers(), 1);
    // Unanswered questions leave their own rows alone.
    EXPECT_EQ(answ("E3", "Q3").toInt(), 0);
    EXPECT_EQ(paper.unansweredCount().value(), 3);
}

TEST_F(ExamPaperTest, AnswerAndCountersCommitTogetherOrNotAtAll)
{
    bank.exec(QStringLiteral("DROP TABLE tab_rz")); // the day's log cannot be written
    const Status saved = paper.saveAnswer(1, QStringLiteral("A"));
    EXPECT_FALSE(saved.ok());
    EXPECT_EQ(saved.reason(), QStringLiteral("发生错误！"));
    EXPECT_EQ(answ("E3", "Q1").toInt(), 0);
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT E2_1 FROM tab_exam1 WHERE A1='Q1'")).toString(), QString());
    EXPECT_FALSE(paper.question(1).isAnswered());
}

TEST_F(ExamPaperTest, EmptyKeyScoresWhenUnanswered)
{
    ASSERT_TRUE(paper.saveAnswer(1, QStringLiteral("A")).ok()); // right
    ASSERT_TRUE(paper.saveAnswer(2, QStringLiteral("C")).ok()); // wrong; Q3 left open: its key is empty
    const Result<GradeResult> graded = paper.grade(1, QStringLiteral("0:10:00"));
    ASSERT_TRUE(graded.ok());
    EXPECT_DOUBLE_EQ(graded->score, 2);
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT A6 FROM tab_cj")).toDouble(), 2);
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT D2 FROM tab_cj")).toString(), QStringLiteral("0:10:00"));
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT D1 FROM tab_rz")).toString(), QStringLiteral("00:10:00"));
    EXPECT_FALSE(paper.isNew());
}

struct PassCase
{
    int points;
    bool below;
};

class PassMarkTest : public ExamPaperTest, public ::testing::WithParamInterface<PassCase>
{
};

TEST_P(PassMarkTest, BoundaryAtTheLeastMark)
{
    bank.exec(QStringLiteral("UPDATE tab_tx1 SET B3=?1"), { GetParam().points });
    ASSERT_TRUE(paper.saveAnswer(1, QStringLiteral("A")).ok());
    ASSERT_TRUE(paper.saveAnswer(3, QStringLiteral("A")).ok()); // spoils the empty key
    const Result<GradeResult> graded = paper.grade(1, QStringLiteral("0:01:00"));
    ASSERT_TRUE(graded.ok());
    EXPECT_DOUBLE_EQ(graded->score, GetParam().points);
    EXPECT_EQ(graded->belowPassMark, GetParam().below);
}

INSTANTIATE_TEST_SUITE_P(
    FiftyNineAndSixty, PassMarkTest, ::testing::Values(PassCase { 59, true }, PassCase { 60, false }));

TEST_F(ExamPaperTest, GradingFailureKeepsThePaperUngraded)
{
    bank.exec(QStringLiteral("DROP TABLE tab_tx1"));
    const Result<GradeResult> graded = paper.grade(1, QStringLiteral("0:01:00"));
    ASSERT_FALSE(graded.ok());
    EXPECT_EQ(graded.reason(), QStringLiteral("发生错误！"));
    EXPECT_TRUE(paper.isNew());
    EXPECT_TRUE(bank.scalar(QStringLiteral("SELECT A6 FROM tab_cj")).isNull());
    EXPECT_TRUE(bank.db().tableExists(QStringLiteral("tab_exam1")));
}

struct AbandonCase
{
    int unanswered;
    bool timeCounts;
};

class AbandonTest : public ExamPaperTest, public ::testing::WithParamInterface<AbandonCase>
{
};

TEST_P(AbandonTest, DropsThePaperAndCountsTheTimeWhenMostWasAnswered)
{
    bank.exec(QStringLiteral("INSERT INTO tab_rz (A1, A2, D1) VALUES ('2026-03-08', 1, '00:00:10')"));
    ASSERT_TRUE(paper.abandon(QStringLiteral("0:05:00"), GetParam().unanswered).ok());
    EXPECT_FALSE(bank.db().tableExists(QStringLiteral("tab_exam1")));
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_cj")).toInt(), 0);
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT D1 FROM tab_rz")).toString(),
        GetParam().timeCounts ? QStringLiteral("00:05:10") : QStringLiteral("00:00:10"));
}

INSTANTIATE_TEST_SUITE_P(
    FortyAndSixty, AbandonTest, ::testing::Values(AbandonCase { 40, true }, AbandonCase { 60, false }));

TEST_F(ExamPaperTest, VoidingAndRestoringFromTheReview)
{
    ASSERT_TRUE(paper.setVoided(2, true).ok());
    EXPECT_EQ(answ("F1", "Q2").toInt(), 1);
    EXPECT_EQ(answ("E2", "Q2").toString(), QStringLiteral("zero"));
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT F1 FROM tab_exam1 WHERE A1='Q2'")).toInt(), 1);
    ASSERT_TRUE(paper.setVoided(2, false).ok());
    EXPECT_EQ(answ("F1", "Q2").toInt(), 0);
    EXPECT_EQ(answ("E2", "Q2").toString(), QStringLiteral("zero"));
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT E2 FROM tab_exam1 WHERE A1='Q2'")).toString(), QString());
}

TEST_F(ExamPaperTest, OnlyPaperTablesAreOpened)
{
    ExamPaper other(bank.db(), bank.clock);
    for (const QString &name : { QStringLiteral("tab_answ"), QStringLiteral("tab_exam1; DROP TABLE tab_answ"),
             QStringLiteral("tab_exam"), QStringLiteral("tab_exam99") }) {
        const Status opened = other.open(PaperIdentity { name, QString(), PaperMode::Old, 0, QString() });
        EXPECT_FALSE(opened.ok()) << name.toStdString();
        EXPECT_EQ(opened.reason(), QStringLiteral("无法打开试卷！"));
        EXPECT_FALSE(other.unansweredCount().ok());
        EXPECT_FALSE(other.grade(1, QStringLiteral("0:00:01")).ok());
    }
    EXPECT_TRUE(bank.db().tableExists(QStringLiteral("tab_answ")));
}

TEST_F(ExamPaperTest, ReviewKeepsTheAnswers)
{
    ASSERT_TRUE(paper.saveAnswer(1, QStringLiteral("A")).ok());
    ExamPaper review(bank.db(), bank.clock);
    ASSERT_TRUE(review
                    .open(PaperIdentity {
                        identity.table, identity.title, PaperMode::Old, 1, QStringLiteral("0:01:00") })
                    .ok());
    EXPECT_TRUE(review.question(1).isRight());
    EXPECT_TRUE(review.question(1).hasExplanation);
    EXPECT_EQ(review.question(1).examPoints, QStringList { QStringLiteral("1001010001") });
    EXPECT_EQ(review.questionText(1)->body, QStringLiteral("<p>Q1</p>"));
}

TEST(ExamClockTest, CountsOnlyWhileRunning)
{
    FixedClock clock(QDateTime(QDate(2026, 3, 8), QTime(9, 0)));
    ExamClock examClock(clock);
    examClock.reset();
    examClock.start();
    clock.advance(583);
    EXPECT_EQ(examClock.elapsedText(), QStringLiteral("0:09:43"));
    examClock.stop();
    clock.advance(100);
    EXPECT_EQ(examClock.elapsedSeconds(), 583);
    examClock.start();
    clock.advance(3600);
    EXPECT_EQ(examClock.elapsedText(), QStringLiteral("1:09:43"));
    examClock.reset();
    EXPECT_EQ(examClock.elapsedSeconds(), 0);
}

struct FiguresCase
{
    std::vector<double> scores;
    int passed;
    int average;
};

class StoredFiguresTest : public ::testing::TestWithParam<FiguresCase>
{
};

TEST_P(StoredFiguresTest, SatPassedAndAverage)
{
    ExamBank bank;
    bank.addType(1, 61, QStringLiteral("单选"), 100, 1);
    int i = 0;
    for (double score : GetParam().scores)
        bank.exec(QStringLiteral("INSERT INTO tab_cj (A1, A3, A3_1, A6) VALUES (?1, 't', ?2, ?3)"),
            { QStringLiteral("tab_exam%1").arg(++i), i, score });
    const Result<PaperFigures> figures = StoredPapers(bank.db(), bank.clock).figures(1);
    ASSERT_TRUE(figures.ok());
    EXPECT_EQ(figures->sat, int(GetParam().scores.size()));
    EXPECT_EQ(figures->passed, GetParam().passed);
    EXPECT_EQ(figures->average, GetParam().average);
}

INSTANTIATE_TEST_SUITE_P(Figures, StoredFiguresTest,
    ::testing::Values(FiguresCase { { 80, 71, 59 }, 2, 70 }, FiguresCase { { 70, 71 }, 2, 70 },
        FiguresCase { { 71, 72 }, 2, 72 }, FiguresCase { {}, 0, 0 }));

TEST(ExamSettingsTest, PassMarkAndTime)
{
    ExamBank bank;
    bank.addType(1, 61, QStringLiteral("单选"), 100, 1);
    bank.setPlan(60, 7200);
    StoredPapers papers(bank.db(), bank.clock);
    EXPECT_EQ(StoredPapers::passMarkNotice(60), QStringLiteral("[提示]：成绩少于 60 分的试卷，不被保留。"));
    bool clamped = false;
    EXPECT_EQ(StoredPapers::checkedPassMark(QStringLiteral("250"), papers.fullScore(1), &clamped), 100);
    EXPECT_TRUE(clamped);
    EXPECT_EQ(StoredPapers::checkedPassMark(QString(), 100, &clamped), 0);
    ASSERT_TRUE(papers.saveSettings(QStringLiteral("55"), QStringLiteral("0")).ok());
    EXPECT_EQ(papers.settings()->leastMark, 55);
    EXPECT_EQ(papers.settings()->examTimeSeconds, 0);
    EXPECT_FALSE(papers.saveSettings(QStringLiteral("55"), QString()).ok());
    EXPECT_EQ(papers.settings()->examTimeSeconds, 0);
}

} // namespace
