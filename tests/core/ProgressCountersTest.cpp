#include "TestBank.h"

#include "core/Clock.h"
#include "core/store/ProgressCounters.h"
#include "core/store/StoreError.h"

#include <vector>

using namespace vorlane;

namespace {

constexpr Flag Y = Flag::Yes;
constexpr Flag N = Flag::No;

// A bank with two subjects' catalogues, laws and articles, and one question; "today" is a
// clock the test moves.
class CounterBank : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char *catalogue[]
            = { "1", "10", "1010", "101010", "101011", "1020", "102010", "2", "20", "2010", "201010" };
        int bh = 0;
        for (const char *code : catalogue)
            bank.exec(QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C2) VALUES (?1, ?2, ?2)"),
                { ++bh, QString::fromLatin1(code) });
        for (const char *id : { "01", "02", "010100", "010200", "020100" })
            bank.exec(
                QStringLiteral("INSERT INTO tab_fgmc (id, n) VALUES (?1, ?1)"), { QString::fromLatin1(id) });
        for (const char *ftid : { "0101000001", "0101000002", "0102000001", "0201000001" })
            bank.exec(QStringLiteral("INSERT INTO tab_rule (ftid, id) VALUES (?1, substr(?1, 1, 6))"),
                { QString::fromLatin1(ftid) });
        bank.exec(
            QStringLiteral("INSERT INTO tab_answ (A1, A2, A2_1, A10, A13, K3, K4) "
                           "VALUES ('Q00000000001', 'A', 4, '101010', 61, '0101000001', '0102000001')"));
    }

    // The integer columns of one row, in the order named.
    std::vector<qint64> row(
        const QString &table, const QString &columns, const QString &keyColumn, const QString &key)
    {
        Statement query = bank.db().prepare(
            QStringLiteral("SELECT %1 FROM %2 WHERE %3=?1").arg(columns, table, keyColumn));
        query.bind(1, key);
        std::vector<qint64> values;
        if (query.next())
            for (int i = 0; i < query.columnCount(); ++i)
                values.push_back(query.integer(i));
        return values;
    }
    std::vector<qint64> chapter(const char *code)
    {
        return row(QStringLiteral("tab_kmmc"), QStringLiteral("C4, D1, D2"), QStringLiteral("C1"),
            QString::fromLatin1(code));
    }
    std::vector<qint64> law(const char *id)
    {
        return row(QStringLiteral("tab_fgmc"), QStringLiteral("q1, q2, q4"), QStringLiteral("id"),
            QString::fromLatin1(id));
    }
    std::vector<qint64> article(const char *ftid)
    {
        return row(QStringLiteral("tab_rule"), QStringLiteral("q1, q2, q4"), QStringLiteral("ftid"),
            QString::fromLatin1(ftid));
    }
    std::vector<qint64> log(const QDate &day)
    {
        return row(QStringLiteral("tab_rz"), QStringLiteral("A2, A3, B1, B2"), QStringLiteral("A1"),
            day.toString(Qt::ISODate));
    }
    // Every counter of the bank and the question's row, as one text, to show that nothing moved.
    QString snapshot()
    {
        QString all;
        for (const char *sql :
            { "SELECT group_concat(C1||':'||C4||'/'||D1||'/'||D2||'/'||C6, ' ') FROM tab_kmmc",
                "SELECT group_concat(id||':'||q1||'/'||q2||'/'||q4, ' ') FROM tab_fgmc",
                "SELECT group_concat(ftid||':'||q1||'/'||q2||'/'||q4, ' ') FROM tab_rule",
                "SELECT count(*)||' '||ifnull(group_concat(A1||A2||A3||B1||B2, ' '), '') FROM tab_rz",
                "SELECT ifnull(E1,'-')||ifnull(E2,'-')||E3||E4 FROM tab_answ" })
            all += bank.scalar(QString::fromLatin1(sql)).toString() + QLatin1Char('\n');
        return all;
    }

    const QDate day { 2026, 3, 14 };
    test::TestBank bank;
    FixedClock clock { QDateTime(day, QTime(10, 0)) };
    ProgressCounters counters { bank.db(), clock };
};

using V = std::vector<qint64>;

} // namespace

// Answers recorded on one day, as (first-today, wrong-now, wrong-before), and the log row after.
TEST_F(CounterBank, DailyLogCountsAnswersAndDistinctQuestions)
{
    struct Answer
    {
        Flag firstToday, wrongNow, wrongBefore;
    };
    const struct
    {
        const char *name;
        std::vector<Answer> answers;
        V a2a3b1b2;
    } cases[] = {
        { "first of the day, wrong", { { Y, Y, Y } }, { 1, 1, 1, 1 } },
        { "first of the day, right", { { Y, N, Y } }, { 1, 0, 1, 0 } },
        { "same question wrong then right", { { Y, Y, Y }, { N, N, Y } }, { 2, 1, 1, 0 } },
        { "same question right then wrong", { { Y, N, Y }, { N, Y, N } }, { 2, 1, 1, 1 } },
        { "same question wrong twice", { { Y, Y, Y }, { N, Y, Y } }, { 2, 2, 1, 1 } },
        { "same question right twice", { { Y, N, N }, { N, N, N } }, { 2, 0, 1, 0 } },
        { "two questions, one wrong", { { Y, Y, Y }, { Y, N, N } }, { 2, 1, 2, 1 } },
        // The day's row is opened with one distinct question whatever the flag says.
        { "no row yet, flag says answered today", { { N, N, N } }, { 1, 0, 1, 0 } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        bank.exec(QStringLiteral("DELETE FROM tab_rz"));
        for (const Answer &a : c.answers)
            counters.updateDailyLog(a.firstToday, a.wrongNow, a.wrongBefore);
        EXPECT_EQ(log(day), c.a2a3b1b2);
        // Time and average wait for the end of the practice.
        EXPECT_TRUE(bank.scalar(QStringLiteral("SELECT D1 FROM tab_rz")).isNull());
        EXPECT_TRUE(bank.scalar(QStringLiteral("SELECT A4 FROM tab_rz")).isNull());
    }
}

TEST_F(CounterBank, TodayComesFromTheClockAcrossMidnight)
{
    clock.set(QDateTime(day, QTime(23, 59, 59)));
    counters.updateDailyLog(Y, Y, Y);
    clock.advance(1); // midnight: a new day
    counters.updateDailyLog(Y, N, Y);
    counters.updateDailyLog(N, Y, N);
    EXPECT_EQ(log(day), (V { 1, 1, 1, 1 }));
    EXPECT_EQ(log(day.addDays(1)), (V { 2, 1, 1, 1 }));
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT group_concat(A1, ' ') FROM tab_rz")).toString(),
        QStringLiteral("2026-03-14 2026-03-15"));
}

TEST_F(CounterBank, ChapterCountersReachEveryPrefixThatIsARow)
{
    counters.updateChapterCounters(QStringLiteral("101010"), Y, Y);
    for (const char *code : { "101010", "1010", "10", "1" })
        EXPECT_EQ(chapter(code), (V { 1, 1, 1 })) << code;
    for (const char *code : { "101011", "1020", "102010", "2", "20", "2010", "201010" })
        EXPECT_EQ(chapter(code), (V { 0, 0, 0 })) << code;

    // Answered again, right: one more answer, no new question, no new wrong answer.
    counters.updateChapterCounters(QStringLiteral("101010"), N, N);
    for (const char *code : { "101010", "1010", "10", "1" })
        EXPECT_EQ(chapter(code), (V { 1, 2, 1 })) << code;
}

TEST_F(CounterBank, ChapterCountersTable)
{
    const struct
    {
        const char *code;
        Flag firstEver, wrongNow;
        std::vector<const char *> moved;
        V c4d1d2;
    } cases[] = {
        { "201010", Y, N, { "201010", "2010", "20", "2" }, { 1, 1, 0 } },
        // A chapter without its own row still counts for its ancestors.
        { "102099", N, Y, { "1020", "10", "1" }, { 0, 1, 1 } },
        // A code longer than a chapter's still walks down through every prefix.
        { "1010109", Y, N, { "101010", "1010", "10", "1" }, { 1, 1, 0 } },
        // A part heading's code walks up from its own length.
        { "2010", Y, Y, { "2010", "20", "2" }, { 1, 1, 1 } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        bank.exec(QStringLiteral("UPDATE tab_kmmc SET C4=0, D1=0, D2=0"));
        counters.updateChapterCounters(QString::fromLatin1(c.code), c.firstEver, c.wrongNow);
        EXPECT_EQ(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_kmmc WHERE D1>0")).toInt(),
            int(c.moved.size()));
        for (const char *code : c.moved)
            EXPECT_EQ(chapter(code), c.c4d1d2) << code;
    }
}

TEST_F(CounterBank, ExamPointsCountEachRowOncePerAnswer)
{
    // Two articles of law 010100 and one of 010200, all in category 01; one article twice.
    const QStringList points = { QStringLiteral("0101000001"), QStringLiteral("0101000002"),
        QStringLiteral("0102000001"), QStringLiteral("0101000001") };
    const ExamPointLists lists = ExamPointLists::fromPoints(points);
    EXPECT_EQ(lists.laws,
        (QStringList { QStringLiteral("010100"), QStringLiteral("010100"), QStringLiteral("010200"),
            QStringLiteral("010100") }));
    EXPECT_EQ(lists.categories, QStringList(4, QStringLiteral("01")));

    counters.updateExamPointCounters(lists, Y, Y);
    for (const char *ftid : { "0101000001", "0101000002", "0102000001" })
        EXPECT_EQ(article(ftid), (V { 1, 1, 1 })) << ftid;
    for (const char *id : { "010100", "010200", "01" })
        EXPECT_EQ(law(id), (V { 1, 1, 1 })) << id;

    counters.updateExamPointCounters(lists, N, N);
    EXPECT_EQ(article("0101000001"), (V { 1, 2, 1 }));
    EXPECT_EQ(law("010100"), (V { 1, 2, 1 }));
    EXPECT_EQ(law("01"), (V { 1, 2, 1 }));

    // Nothing outside the question's points moved.
    EXPECT_EQ(article("0201000001"), (V { 0, 0, 0 }));
    EXPECT_EQ(law("020100"), (V { 0, 0, 0 }));
    EXPECT_EQ(law("02"), (V { 0, 0, 0 }));
}

TEST_F(CounterBank, ExamPointListsSkipEmptySlotsAndTakeTen)
{
    QStringList points = { QStringLiteral("0201000001"), QString(), QStringLiteral("  ") };
    const ExamPointLists three = ExamPointLists::fromPoints(points);
    EXPECT_EQ(three.articles, QStringList { QStringLiteral("0201000001") });
    EXPECT_TRUE(ExamPointLists::fromPoints({ QString(), QString() }).isEmpty());

    QStringList ten;
    for (int i = 0; i < 10; ++i)
        ten << QStringLiteral("01010000%1").arg(i + 10);
    ten.last() = QStringLiteral("0201000001");
    counters.updateExamPointCounters(ExamPointLists::fromPoints(ten), Y, N);
    EXPECT_EQ(article("0201000001"), (V { 1, 1, 0 }));
    EXPECT_EQ(law("020100"), (V { 1, 1, 0 }));
    EXPECT_EQ(law("02"), (V { 1, 1, 0 }));
}

TEST_F(CounterBank, CountAnswerMovesLogChaptersAndPoints)
{
    counters.countAnswer(QStringLiteral("101010"),
        { QStringLiteral("0101000001"), QStringLiteral("0102000001") }, AnswerFlags { Y, Y, Y, Y });
    EXPECT_EQ(log(day), (V { 1, 1, 1, 1 }));
    EXPECT_EQ(chapter("1"), (V { 1, 1, 1 }));
    EXPECT_EQ(law("01"), (V { 1, 1, 1 }));
    EXPECT_EQ(article("0102000001"), (V { 1, 1, 1 }));
}

// A recorded answer that fails half-way changes nothing: the question's row and every counter
// stay as they were, whichever statement fails.
TEST_F(CounterBank, FailedRecordingLeavesRowAndCountersUnchanged)
{
    counters.countAnswer(
        QStringLiteral("101010"), { QStringLiteral("0101000001") }, AnswerFlags { Y, N, Y, Y });
    const struct
    {
        const char *table;
        const char *when;
    } failures[] = {
        { "tab_rz", "UPDATE" }, // the first counter
        { "tab_kmmc", "UPDATE" }, // in the middle of the catalogue walk
        { "tab_rule", "UPDATE" }, // after log and catalogue
        { "tab_fgmc", "UPDATE" }, // the very last statements
    };
    for (const auto &failure : failures) {
        SCOPED_TRACE(failure.table);
        const QString before = snapshot();
        const QString trigger = failure.table == QByteArray("tab_kmmc")
            // Let the chapter row pass and fail on its part heading.
            ? QStringLiteral("CREATE TEMP TRIGGER fail_half_way BEFORE UPDATE ON tab_kmmc WHEN old.C1='10' "
                             "BEGIN SELECT RAISE(ABORT, 'failing half-way'); END")
            : QStringLiteral("CREATE TEMP TRIGGER fail_half_way BEFORE %1 ON %2 "
                             "BEGIN SELECT RAISE(ABORT, 'failing half-way'); END")
                  .arg(QLatin1String(failure.when), QLatin1String(failure.table));
        bank.db().execScript(trigger);

        EXPECT_THROW(
            {
                Transaction transaction(bank.db());
                bank.exec(QStringLiteral(
                              "UPDATE tab_answ SET E1=?1, E2='B', E3=E3+1, E4=E4-1 WHERE A1='Q00000000001'"),
                    { day.toString(Qt::ISODate) });
                counters.countAnswer(QStringLiteral("101010"),
                    { QStringLiteral("0101000001"), QStringLiteral("0102000001") },
                    AnswerFlags { N, Y, N, N });
                transaction.commit();
            },
            StoreError);
        EXPECT_EQ(snapshot(), before);
        bank.db().execScript(QStringLiteral("DROP TRIGGER fail_half_way"));
    }

    // Without the fault the same recording commits as a whole.
    {
        Transaction transaction(bank.db());
        bank.exec(
            QStringLiteral("UPDATE tab_answ SET E1=?1, E2='B', E3=E3+1, E4=E4-1 WHERE A1='Q00000000001'"),
            { day.toString(Qt::ISODate) });
        counters.countAnswer(QStringLiteral("101010"),
            { QStringLiteral("0101000001"), QStringLiteral("0102000001") }, AnswerFlags { N, Y, N, N });
        transaction.commit();
    }
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT E2||E3 FROM tab_answ")).toString(), QStringLiteral("B1"));
    EXPECT_EQ(log(day), (V { 2, 1, 1, 1 }));
    EXPECT_EQ(chapter("10"), (V { 1, 2, 1 }));
    EXPECT_EQ(law("01"), (V { 1, 2, 1 }));
}

// Called on its own, the counters of one answer still commit together.
TEST_F(CounterBank, CountAnswerAloneIsAllOrNothing)
{
    bank.db().execScript(QStringLiteral("CREATE TEMP TRIGGER fail_half_way BEFORE UPDATE ON tab_fgmc "
                                        "BEGIN SELECT RAISE(ABORT, 'failing half-way'); END"));
    const QString before = snapshot();
    EXPECT_THROW(
        counters.countAnswer(QStringLiteral("101010"), { QStringLiteral("0101000001") }, AnswerFlags {}),
        StoreError);
    EXPECT_EQ(snapshot(), before);
}
