#include "ExamFixture.h"

#include "core/exam/ExamPaper.h"
#include "core/exam/PaperGenerator.h"
#include "core/exam/StoredPapers.h"

#include <QRandomGenerator>

#include <map>

using namespace vorlane;
using namespace vorlane::exam;
using vorlane::test::ExamBank;

namespace {

class PaperGeneratorTest : public ::testing::Test
{
protected:
    PaperGeneratorTest()
        : random(20260308)
        , generator(bank.db(), bank.clock, random)
    {
    }

    QStringList paperIds(const QString &table)
    {
        QStringList ids;
        Statement rows = bank.db().prepare(
            QStringLiteral("SELECT A1 FROM ") + table + QStringLiteral(" ORDER BY A13, A1"));
        while (rows.next())
            ids << rows.text(0);
        return ids;
    }

    void addStoredPapers(int count)
    {
        for (int i = 1; i <= count; ++i)
            bank.exec(QStringLiteral("INSERT INTO tab_cj (A1, A3, A3_1) VALUES (?1, 'p', ?2)"),
                { QStringLiteral("tab_exam%1").arg(i), i });
    }

    ExamBank bank;
    QRandomGenerator random;
    PaperGenerator generator;
};

TEST_F(PaperGeneratorTest, FirstPaperIsNumberOneWithTitle)
{
    bank.addType(1, 61, QStringLiteral("单选"), 60, 1);
    bank.addQuestions(3, 61, QStringLiteral("100101"));
    const Result<PaperIdentity> paper = generator.generate(1);
    ASSERT_TRUE(paper.ok()) << paper.reason().toStdString();
    EXPECT_EQ(paper->table, QStringLiteral("tab_exam1"));
    EXPECT_EQ(paper->title, QStringLiteral("2026年03月08日Quorvel[1]"));
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT A3_1 FROM tab_cj WHERE A1='tab_exam1'")).toInt(), 1);
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT D1 FROM tab_cj WHERE A1='tab_exam1'")).toString(),
        QStringLiteral("2026-03-08"));
    EXPECT_TRUE(bank.scalar(QStringLiteral("SELECT A6 FROM tab_cj WHERE A1='tab_exam1'")).isNull());
}

struct NumberingCase
{
    int deleted;
    QString table;
    int number;
};

class PaperNumberingTest : public PaperGeneratorTest, public ::testing::WithParamInterface<NumberingCase>
{
};

TEST_P(PaperNumberingTest, ContinuesFromTheNewestRemainingPaper)
{
    addStoredPapers(7);
    StoredPapers(bank.db(), bank.clock).removePaper(QStringLiteral("tab_exam%1").arg(GetParam().deleted));
    const PaperName next = generator.nextPaperName();
    EXPECT_EQ(next.table, GetParam().table);
    EXPECT_EQ(next.number, GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(DeletingNewestOrOlder, PaperNumberingTest,
    ::testing::Values(NumberingCase { 7, QStringLiteral("tab_exam7"), 7 },
        NumberingCase { 3, QStringLiteral("tab_exam8"), 8 }));

TEST_F(PaperGeneratorTest, NameStillInUseIsSkipped)
{
    // Numbers and names drifted apart: the newest paper's successor name belongs to an older one.
    bank.exec(QStringLiteral(
        "INSERT INTO tab_cj (A1, A3, A3_1) VALUES ('tab_exam5', 'a', 1), ('tab_exam4', 'b', 2)"));
    EXPECT_EQ(generator.nextPaperName().table, QStringLiteral("tab_exam6"));
    EXPECT_EQ(generator.nextPaperName().number, 3);
}

TEST_F(PaperGeneratorTest, SubjectOneGivesSixtyThenTwentyOrderedByTypeAndId)
{
    bank.addType(1, 61, QStringLiteral("单选"), 60, 1);
    bank.addType(1, 66, QStringLiteral("多选"), 20, 2);
    bank.addQuestions(40, 61, QStringLiteral("100101"));
    bank.addQuestions(40, 61, QStringLiteral("100201"));
    bank.addQuestions(30, 66, QStringLiteral("100102"));
    bank.addQuestions(10, 61, QStringLiteral("200101")); // another subject's chapters
    const Result<PaperIdentity> paper = generator.generate(1);
    ASSERT_TRUE(paper.ok()) << paper.reason().toStdString();

    ExamPaper opened(bank.db(), bank.clock);
    ASSERT_TRUE(opened.open(*paper).ok());
    ASSERT_EQ(opened.questionCount(), 80);
    for (int row = 1; row <= 80; ++row) {
        EXPECT_EQ(opened.question(row).type, row <= 60 ? 61 : 66) << row;
        EXPECT_TRUE(opened.question(row).chapter.startsWith(QLatin1String("10"))) << row;
        if (row != 1 && row != 61) {
            EXPECT_LT(opened.question(row - 1).id, opened.question(row).id) << row;
        }
    }
}

TEST_F(PaperGeneratorTest, VoidedNeverDrawnUserQuestionCanBe)
{
    bank.addType(1, 61, QStringLiteral("单选"), 60, 1);
    bank.addQuestion(QStringLiteral("N1"), 61, QStringLiteral("100101"), QStringLiteral("A"), 0);
    bank.addQuestion(QStringLiteral("V1"), 61, QStringLiteral("100101"), QStringLiteral("A"), 1);
    bank.addQuestion(QStringLiteral("U1"), 61, QStringLiteral("100101"), QStringLiteral("A"), 2);
    // Fewer questions than the cell asks for: all of them, and generation ends.
    const QStringList drawn = generator.drawQuestions(1, 61, QStringLiteral("10"), 60);
    EXPECT_EQ(drawn.size(), 2);
    EXPECT_TRUE(drawn.contains(QStringLiteral("N1")));
    EXPECT_TRUE(drawn.contains(QStringLiteral("U1")));
    EXPECT_FALSE(drawn.contains(QStringLiteral("V1")));
}

TEST_F(PaperGeneratorTest, OneFromAPoolOfOneTakesIt)
{
    bank.addQuestion(QStringLiteral("ONLY"), 64, QStringLiteral("050101"));
    EXPECT_EQ(
        generator.drawQuestions(5, 64, QStringLiteral("05"), 1), QStringList { QStringLiteral("ONLY") });
}

TEST_F(PaperGeneratorTest, TypesSwitchedOffOrNotInTheDrawTableDrawNothing)
{
    bank.addType(1, 61, QStringLiteral("单选"), 60, 1);
    bank.addType(1, 66, QStringLiteral("多选"), 0, 2); // listed in the draw table, switched off
    bank.addType(1, 62, QStringLiteral("其他"), 10, 1); // switched on, no cell for subject 1
    bank.addQuestions(5, 61, QStringLiteral("100101"));
    bank.addQuestions(5, 66, QStringLiteral("100101"));
    bank.addQuestions(5, 62, QStringLiteral("100101"));
    const Result<PaperIdentity> paper = generator.generate(1);
    ASSERT_TRUE(paper.ok());
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_exam1")).toInt(), 5);
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_exam1 WHERE A13<>61")).toInt(), 0);
}

TEST_F(PaperGeneratorTest, EveryAnswerOfANewPaperStartsEmpty)
{
    bank.addType(1, 61, QStringLiteral("单选"), 60, 1);
    bank.addQuestions(4, 61, QStringLiteral("100101")); // the fixture leaves "B" in every E2_1
    const Result<PaperIdentity> paper = generator.generate(1);
    ASSERT_TRUE(paper.ok());
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_exam1 WHERE E2_1=''")).toInt(), 4);
    ExamPaper opened(bank.db(), bank.clock);
    ASSERT_TRUE(opened.open(*paper).ok());
    for (int row = 1; row <= opened.questionCount(); ++row)
        EXPECT_FALSE(opened.question(row).isAnswered());
}

TEST_F(PaperGeneratorTest, PaperTableHasTheFullLayoutWithTheExplanation)
{
    bank.addType(1, 61, QStringLiteral("单选"), 60, 1);
    bank.addQuestion(QStringLiteral("Q1"), 61, QStringLiteral("100101"));
    bank.addQuestion(QStringLiteral("NOBODY"), 61, QStringLiteral("100101"), QStringLiteral("A"), 0, false);
    ASSERT_TRUE(generator.generate(1).ok());
    QStringList columns;
    Statement info = bank.db().prepare(QStringLiteral("PRAGMA table_info(tab_exam1)"));
    while (info.next())
        columns << info.text(1) + QLatin1Char(' ') + info.text(2);
    EXPECT_EQ(columns.join(QLatin1Char(',')),
        QStringLiteral("A1 TEXT,A2 TEXT,A2_1 INTEGER,K3 TEXT,K4 TEXT,K5 TEXT,K6 TEXT,K7 TEXT,K8 TEXT,K9 TEXT,"
                       "K10 TEXT,K11 TEXT,K12 TEXT,A10 TEXT,A13 INTEGER,A14 TEXT,E1 TEXT,E2 TEXT,E2_1 TEXT,"
                       "E3 INTEGER,E4 INTEGER,jx TEXT,csbs TEXT,F1 INTEGER"));
    // A question without a body row is not copied.
    EXPECT_EQ(paperIds(QStringLiteral("tab_exam1")), QStringList { QStringLiteral("Q1") });
    EXPECT_EQ(
        bank.scalar(QStringLiteral("SELECT jx FROM tab_exam1")).toString(), QStringLiteral("<p>jx Q1</p>"));
}

TEST_F(PaperGeneratorTest, DrawIsUniformOverTheWholePool)
{
    const int poolSize = 10;
    const int perDraw = 3;
    const int rounds = 6000;
    for (int i = 0; i < poolSize; ++i)
        bank.addQuestion(QStringLiteral("P%1").arg(i), 61, QStringLiteral("100101"));
    std::map<QString, int> seen;
    for (int round = 0; round < rounds; ++round) {
        const QStringList drawn = generator.drawQuestions(1, 61, QStringLiteral("10"), perDraw);
        ASSERT_EQ(drawn.size(), perDraw);
        ASSERT_EQ(QSet<QString>(drawn.begin(), drawn.end()).size(), perDraw);
        for (const QString &id : drawn)
            ++seen[id];
    }
    ASSERT_EQ(int(seen.size()), poolSize); // the last question of the pool is drawn too
    const double expected = double(rounds) * perDraw / poolSize;
    double chiSquare = 0;
    for (const auto &[id, count] : seen)
        chiSquare += (count - expected) * (count - expected) / expected;
    // 9 degrees of freedom: 27.88 is the 0.1 % critical value.
    EXPECT_LT(chiSquare, 27.88);
}

TEST_F(PaperGeneratorTest, SubjectFiveDrawsFromItsOwnChapters)
{
    bank.addType(5, 64, QStringLiteral("案例"), 6, 10);
    bank.addQuestions(9, 64, QStringLiteral("050101"));
    bank.addQuestions(9, 64, QStringLiteral("060101"));
    const Result<PaperIdentity> paper = generator.generate(5);
    ASSERT_TRUE(paper.ok()) << paper.reason().toStdString();
    EXPECT_TRUE(paper->title.endsWith(QLatin1String("Eskwold[1]")));
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_exam1 WHERE A10 LIKE '05%'")).toInt(), 6);
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_exam1")).toInt(), 6);
}

struct FailureCase
{
    const char *name;
    std::function<void(ExamBank &)> setUp;
    QString message;
};

class PaperGenerationFailureTest : public PaperGeneratorTest,
                                   public ::testing::WithParamInterface<FailureCase>
{
};

TEST_P(PaperGenerationFailureTest, LeavesNoHalfMadePaper)
{
    GetParam().setUp(bank);
    const Result<PaperIdentity> paper = generator.generate(1);
    ASSERT_FALSE(paper.ok());
    EXPECT_EQ(paper.reason(), GetParam().message);
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_cj")).toInt(), 0);
    EXPECT_FALSE(bank.db().tableExists(QStringLiteral("tab_exam1")));
}

INSTANTIATE_TEST_SUITE_P(Failures, PaperGenerationFailureTest,
    ::testing::Values(
        FailureCase { "EmptyPool", [](ExamBank &b) { b.addType(1, 61, QStringLiteral("单选"), 60, 1); },
            QStringLiteral("没有发现题目！") },
        FailureCase { "OnlyVoided",
            [](ExamBank &b) {
                b.addType(1, 61, QStringLiteral("单选"), 60, 1);
                b.addQuestion(QStringLiteral("V"), 61, QStringLiteral("100101"), QStringLiteral("A"), 1);
            },
            QStringLiteral("没有发现题目！") },
        FailureCase { "NothingDrawn",
            [](ExamBank &b) {
                b.addType(1, 61, QStringLiteral("单选"), 0, 1);
                b.addQuestions(3, 61, QStringLiteral("100101"));
            },
            QStringLiteral("无法打开试卷！") },
        FailureCase { "NoBodies",
            [](ExamBank &b) {
                b.addType(1, 61, QStringLiteral("单选"), 60, 1);
                b.addQuestion(
                    QStringLiteral("X"), 61, QStringLiteral("100101"), QStringLiteral("A"), 0, false);
            },
            QStringLiteral("无法打开试卷！") },
        FailureCase { "CopyFails",
            [](ExamBank &b) {
                b.addType(1, 61, QStringLiteral("单选"), 60, 1);
                b.addQuestions(3, 61, QStringLiteral("100101"));
                b.exec(QStringLiteral("DROP TABLE tab_exer"));
                b.exec(QStringLiteral("CREATE TABLE tab_exer (A1 TEXT, A15 TEXT)"));
            },
            QStringLiteral("提取数据时发生错误！") }),
    [](const ::testing::TestParamInfo<FailureCase> &info) { return std::string(info.param.name); });

TEST_F(PaperGeneratorTest, LeftoverTableWithoutRowIsReplaced)
{
    bank.addType(1, 61, QStringLiteral("单选"), 60, 1);
    bank.addQuestions(2, 61, QStringLiteral("100101"));
    bank.exec(QStringLiteral("CREATE TABLE tab_exam1 (junk TEXT)"));
    const Result<PaperIdentity> paper = generator.generate(1);
    ASSERT_TRUE(paper.ok()) << paper.reason().toStdString();
    EXPECT_EQ(paperIds(QStringLiteral("tab_exam1")).size(), 2);
}

TEST(PaperTextTest, HeadingsAndNumerals)
{
    ExamBank bank;
    bank.addType(1, 61, QStringLiteral("单项选择题"), 60, 1);
    EXPECT_EQ(typeHeadingText(bank.db(), 1, 61, 1, 60), QStringLiteral("单项选择题 每题1分 共60分"));
    EXPECT_EQ(typeHeadingText(bank.db(), 0, 61, 2, 20), QStringLiteral("单项选择题 每题2分 共40分"));
    EXPECT_EQ(typeHeadingFor(bank.db(), 1, 61), QStringLiteral("单项选择题 每题1分 共60分"));
    EXPECT_EQ(typeHeadingFor(bank.db(), 1, 99), QString());
    EXPECT_EQ(typeNameOf(bank.db(), 1, 99), QStringLiteral("未知题型"));
    EXPECT_EQ(sectionNumeral(1), QStringLiteral("一、"));
    EXPECT_EQ(sectionNumeral(5), QStringLiteral("五、"));
    EXPECT_EQ(sectionNumeral(0), QStringLiteral("--"));
    EXPECT_EQ(sectionNumeral(6), QStringLiteral("--"));
}

// A subject's pool is its chapters' questions that are not voided; subject 4 draws from four
// prefixes, subject 5 from "05".
TEST(PaperPoolTest, PoolStatementListsTheSubjectsQuestionsNotVoided)
{
    ExamBank bank;
    bank.addQuestion(QStringLiteral("s1"), 61, QStringLiteral("100101"));
    bank.addQuestion(QStringLiteral("s1void"), 61, QStringLiteral("100102"), QStringLiteral("A"), 1);
    bank.addQuestion(QStringLiteral("s2"), 61, QStringLiteral("200101"));
    bank.addQuestion(QStringLiteral("s4a"), 61, QStringLiteral("060101"));
    bank.addQuestion(QStringLiteral("s4b"), 61, QStringLiteral("090101"));
    bank.addQuestion(QStringLiteral("s5"), 61, QStringLiteral("050101"));
    bank.addQuestion(QStringLiteral("none"), 61, QStringLiteral("040101"));
    auto pool = [&](int subject) {
        QStringList ids;
        Statement list = bank.db().prepare(poolStatement(subject));
        const int a1 = [&] {
            for (int i = 0; i < list.columnCount(); ++i)
                if (list.columnName(i).compare(QLatin1String("A1"), Qt::CaseInsensitive) == 0)
                    return i;
            return -1;
        }();
        while (list.next())
            ids << list.text(a1);
        ids.sort();
        return ids;
    };
    EXPECT_EQ(pool(1), QStringList { QStringLiteral("s1") });
    EXPECT_EQ(pool(2), QStringList { QStringLiteral("s2") });
    EXPECT_EQ(pool(3), QStringList());
    EXPECT_EQ(pool(4), (QStringList { QStringLiteral("s4a"), QStringLiteral("s4b") }));
    EXPECT_EQ(pool(5), QStringList { QStringLiteral("s5") });
}

} // namespace
