#include "TestBank.h"

#include "core/store/QuestionCounts.h"
#include "core/store/StoreError.h"

using namespace vorlane;

namespace {

// Two subjects' catalogues, two categories with three laws and their articles; questions are
// added by each test.
class QuestionCountsBank : public ::testing::Test
{
protected:
    void SetUp() override
    {
        int bh = 0;
        for (const char *code :
            { "1", "10", "1010", "101010", "101011", "1020", "102010", "2", "20", "2010", "201010" })
            bank.exec(QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C2) VALUES (?1, ?2, ?2)"),
                { ++bh, QString::fromLatin1(code) });
        for (const char *id : { "01", "02", "010100", "010200", "020100" })
            bank.exec(
                QStringLiteral("INSERT INTO tab_fgmc (id, n) VALUES (?1, ?1)"), { QString::fromLatin1(id) });
        for (const char *ftid : { "0101000001", "0101000002", "0102000001", "0201000001" })
            bank.exec(QStringLiteral("INSERT INTO tab_rule (ftid, id) VALUES (?1, substr(?1, 1, 6))"),
                { QString::fromLatin1(ftid) });
    }

    void addQuestion(const QString &id, const QString &chapter, const QStringList &points)
    {
        QVariantList values { id, chapter };
        for (int slot = 0; slot < 10; ++slot)
            values << (slot < points.size() ? QVariant(points.at(slot)) : QVariant());
        bank.exec(QStringLiteral("INSERT INTO tab_answ (A1, A2, A2_1, A10, A13, K3, K4, K5, K6, K7, K8, K9, "
                                 "K10, K11, K12) VALUES (?1, 'A', 4, ?2, 61, ?3, ?4, ?5, ?6, ?7, ?8, ?9, "
                                 "?10, ?11, ?12)"),
            values);
    }

    // Every count of the bank as one text: "code:n …|id:n …|ftid:n …".
    QString counts()
    {
        return bank
            .scalar(QStringLiteral("SELECT (SELECT group_concat(C1||':'||C3, ' ') FROM tab_kmmc) || '|' ||"
                                   " (SELECT group_concat(id||':'||q, ' ') FROM tab_fgmc) || '|' ||"
                                   " (SELECT group_concat(ftid||':'||q, ' ') FROM tab_rule)"))
            .toString();
    }
    qint64 value(const QString &sql, const QString &key) { return bank.scalar(sql, { key }).toLongLong(); }
    qint64 c3(const char *code)
    {
        return value(QStringLiteral("SELECT C3 FROM tab_kmmc WHERE C1=?"), QString::fromLatin1(code));
    }
    qint64 lawQ(const char *id)
    {
        return value(QStringLiteral("SELECT q FROM tab_fgmc WHERE id=?"), QString::fromLatin1(id));
    }
    qint64 articleQ(const char *ftid)
    {
        return value(QStringLiteral("SELECT q FROM tab_rule WHERE ftid=?"), QString::fromLatin1(ftid));
    }

    test::TestBank bank;
    QuestionCounts questionCounts { bank.db() };
};

struct NewQuestionCase
{
    const char *name;
    QString chapter;
    QStringList points;
    QString expected; // the counts() text after one such question
};

class NewQuestionCounts : public QuestionCountsBank, public ::testing::WithParamInterface<NewQuestionCase>
{
};

TEST_P(NewQuestionCounts, RaiseEachRowOnceAndAgreeWithARecount)
{
    const NewQuestionCase &c = GetParam();
    addQuestion(QStringLiteral("U1"), c.chapter, c.points);
    questionCounts.countNewQuestion(c.chapter, c.points);
    EXPECT_EQ(counts(), c.expected);
    // The incremental rule and the full recount are the same rule.
    questionCounts.recountAll();
    EXPECT_EQ(counts(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, NewQuestionCounts,
    ::testing::Values(
        NewQuestionCase { "NoExamPoints", QStringLiteral("101010"), {},
            QStringLiteral("1:1 10:1 1010:1 101010:1 101011:0 1020:0 102010:0 2:0 20:0 2010:0 201010:0|"
                           "01:0 02:0 010100:0 010200:0 020100:0|"
                           "0101000001:0 0101000002:0 0102000001:0 0201000001:0") },
        NewQuestionCase { "TwoPointsOfOneLawRaiseTheLawOnce", QStringLiteral("201010"),
            { QStringLiteral("0101000001"), QStringLiteral("0101000002") },
            QStringLiteral("1:0 10:0 1010:0 101010:0 101011:0 1020:0 102010:0 2:1 20:1 2010:1 201010:1|"
                           "01:1 02:0 010100:1 010200:0 020100:0|"
                           "0101000001:1 0101000002:1 0102000001:0 0201000001:0") },
        NewQuestionCase { "TwoLawsOfOneCategoryRaiseTheCategoryOnce", QStringLiteral("102010"),
            { QStringLiteral("0101000001"), QStringLiteral("0102000001"), QStringLiteral("0201000001") },
            QStringLiteral("1:1 10:1 1010:0 101010:0 101011:0 1020:1 102010:1 2:0 20:0 2010:0 201010:0|"
                           "01:1 02:1 010100:1 010200:1 020100:1|"
                           "0101000001:1 0101000002:0 0102000001:1 0201000001:1") },
        NewQuestionCase { "ArticleNamedTwiceCountsOnce", QStringLiteral("101011"),
            { QStringLiteral("0101000001"), QStringLiteral("0101000001") },
            QStringLiteral("1:1 10:1 1010:1 101010:0 101011:1 1020:0 102010:0 2:0 20:0 2010:0 201010:0|"
                           "01:1 02:0 010100:1 010200:0 020100:0|"
                           "0101000001:1 0101000002:0 0102000001:0 0201000001:0") }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(QuestionCountsBank, UncountIsTheReverseOfCount)
{
    const QString before = counts();
    const QStringList points { QStringLiteral("0101000001"), QStringLiteral("0201000001") };
    questionCounts.countNewQuestion(QStringLiteral("101010"), points);
    EXPECT_NE(counts(), before);
    questionCounts.uncountQuestion(QStringLiteral("101010"), points);
    EXPECT_EQ(counts(), before);
}

// An edit recounts what the question named before and after: the article it dropped falls to
// its true count, and so do that article's law and category.
TEST_F(QuestionCountsBank, RecountAfterAnEditSetsTrueCountsForOldAndNewPoints)
{
    addQuestion(QStringLiteral("Q1"), QStringLiteral("101010"), { QStringLiteral("0101000001") });
    addQuestion(QStringLiteral("Q2"), QStringLiteral("101010"),
        { QStringLiteral("0101000001"), QStringLiteral("0102000001") });
    questionCounts.recountAll();
    ASSERT_EQ(articleQ("0101000001"), 2);
    ASSERT_EQ(lawQ("010200"), 1);
    // Q2 drops 0102000001 and takes 0201000001.
    bank.exec(QStringLiteral("UPDATE tab_answ SET K4='0201000001' WHERE A1='Q2'"));
    // Counts that drifted before must not survive either.
    bank.exec(QStringLiteral("UPDATE tab_rule SET q=9 WHERE ftid='0101000001'"));
    questionCounts.recountExamPoints(
        { QStringLiteral("0101000001"), QStringLiteral("0102000001"), QStringLiteral("0201000001") });
    EXPECT_EQ(articleQ("0101000001"), 2);
    EXPECT_EQ(articleQ("0102000001"), 0);
    EXPECT_EQ(articleQ("0201000001"), 1);
    EXPECT_EQ(lawQ("010100"), 2);
    EXPECT_EQ(lawQ("010200"), 0);
    EXPECT_EQ(lawQ("020100"), 1);
    EXPECT_EQ(lawQ("01"), 2);
    EXPECT_EQ(lawQ("02"), 1);
    const QString recounted = counts();
    questionCounts.recountAll();
    EXPECT_EQ(counts(), recounted);
}

TEST_F(QuestionCountsBank, RecountAllReplacesEveryStaleCount)
{
    addQuestion(QStringLiteral("Q1"), QStringLiteral("101010"), { QStringLiteral("0101000001") });
    addQuestion(QStringLiteral("Q2"), QStringLiteral("201010"), {});
    addQuestion(QStringLiteral("Q3"), QStringLiteral("101011"),
        { QStringLiteral("0101000002"), QStringLiteral("0201000001") });
    bank.exec(QStringLiteral("UPDATE tab_kmmc SET C3=77"));
    bank.exec(QStringLiteral("UPDATE tab_fgmc SET q=NULL"));
    bank.exec(QStringLiteral("UPDATE tab_rule SET q=-3"));
    questionCounts.recountAll();
    EXPECT_EQ(counts(),
        QStringLiteral("1:2 10:2 1010:2 101010:1 101011:1 1020:0 102010:0 2:1 20:1 2010:1 201010:1|"
                       "01:2 02:1 010100:2 010200:0 020100:1|"
                       "0101000001:1 0101000002:1 0102000001:0 0201000001:1"));
    EXPECT_EQ(c3("1"), 2);
}

// A failure half-way through leaves every count as it was, under the caller's transaction.
TEST_F(QuestionCountsBank, FailureHalfWayLeavesNoCountMoved)
{
    for (const char *table : { "tab_kmmc", "tab_rule", "tab_fgmc" }) {
        SCOPED_TRACE(table);
        const QString before = counts();
        bank.db().execScript(QStringLiteral("CREATE TEMP TRIGGER fail_half_way BEFORE UPDATE ON %1 "
                                            "BEGIN SELECT RAISE(ABORT, 'failing half-way'); END")
                                 .arg(QLatin1String(table)));
        EXPECT_THROW(
            {
                Transaction transaction(bank.db());
                questionCounts.countNewQuestion(
                    QStringLiteral("101010"), { QStringLiteral("0101000001"), QStringLiteral("0201000001") });
                transaction.commit();
            },
            StoreError);
        EXPECT_EQ(counts(), before);
        EXPECT_THROW(
            {
                Transaction transaction(bank.db());
                questionCounts.recountAll();
                transaction.commit();
            },
            StoreError);
        EXPECT_EQ(counts(), before);
        bank.db().execScript(QStringLiteral("DROP TRIGGER fail_half_way"));
    }
}

} // namespace
