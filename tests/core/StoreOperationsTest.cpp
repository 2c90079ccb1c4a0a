#include "TestBank.h"

#include "core/Clock.h"
#include "core/store/ProgressCounters.h"
#include "core/store/StoreError.h"

using namespace vorlane;

namespace {

class StoreOperations : public ::testing::Test
{
protected:
    QString today() const { return day.toString(Qt::ISODate); }
    QString text(const QString &sql, const QVariantList &values = {})
    {
        const QVariant value = bank.scalar(sql, values);
        return value.isNull() ? QStringLiteral("<null>") : value.toString();
    }

    const QDate day { 2026, 3, 14 };
    test::TestBank bank;
    FixedClock clock { QDateTime(day, QTime(21, 30)) };
    ProgressCounters counters { bank.db(), clock };
};

} // namespace

// Today's row before the practice ends, the elapsed time, and the row after.
TEST_F(StoreOperations, RefreshWritesTodaysAverageAndTime)
{
    const struct
    {
        int a2, a3;
        const char *d1;
        const char *elapsed;
        const char *a4;
        const char *d1After;
    } cases[] = {
        { 3, 1, nullptr, "0:00:10", "66.67", "00:00:10" },
        { 2, 2, "01:00:00", "0:30:00", "0.00", "01:30:00" }, // all wrong is 0.00, not "0"
        { 1, 0, "23:59:50", "0:00:15", "100.00", "24:00:05" },
        { 4, 1, "124:59:59", "0:00:01", "75.00", "125:00:00" },
        { 0, 0, "00:05:00", "5:30", "0", "05:05:00" }, // "5:30" counts as five hours
        { 7, 2, "", "", "71.43", "00:00:00" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.elapsed);
        bank.exec(QStringLiteral("DELETE FROM tab_rz"));
        bank.exec(QStringLiteral("INSERT INTO tab_rz (A1, A2, A3, D1) VALUES (?1, ?2, ?3, ?4)"),
            { today(), c.a2, c.a3, c.d1 ? QVariant(QString::fromLatin1(c.d1)) : QVariant() });
        counters.refreshAveragesAndTime(QString::fromLatin1(c.elapsed));
        EXPECT_EQ(text(QStringLiteral("SELECT A4 FROM tab_rz")), QString::fromLatin1(c.a4));
        EXPECT_EQ(text(QStringLiteral("SELECT D1 FROM tab_rz")), QString::fromLatin1(c.d1After));
    }
}

TEST_F(StoreOperations, RefreshLeavesOtherDaysAndAddsNoRow)
{
    bank.exec(QStringLiteral("INSERT INTO tab_rz (A1, A2, A3, D1) VALUES ('2026-03-13', 3, 1, '00:10:00')"));
    counters.refreshAveragesAndTime(QStringLiteral("0:05:00"));
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_rz")).toInt(), 1);
    EXPECT_EQ(
        text(QStringLiteral("SELECT D1||'/'||ifnull(A4,'-') FROM tab_rz")), QStringLiteral("00:10:00/-"));
}

// A time that is not a time is an error for the caller, and nothing is written.
TEST_F(StoreOperations, RefreshWithABadTimeChangesNothing)
{
    bank.exec(
        QStringLiteral("INSERT INTO tab_rz (A1, A2, A3, D1) VALUES (?1, 3, 1, '00:10:00')"), { today() });
    bank.exec(QStringLiteral("INSERT INTO tab_kmmc (bh, C1, D1, D2, C6) VALUES (1, '1', 4, 1, 'old')"));
    EXPECT_THROW(counters.refreshAveragesAndTime(QStringLiteral("0:xx:00")), StoreError);
    bank.exec(QStringLiteral("UPDATE tab_rz SET D1='1:02:' WHERE A1=?1"), { today() });
    EXPECT_THROW(counters.refreshAveragesAndTime(QStringLiteral("0:01:00")), StoreError);
    EXPECT_EQ(text(QStringLiteral("SELECT ifnull(A4,'-')||' '||D1 FROM tab_rz")), QStringLiteral("- 1:02:"));
    EXPECT_EQ(text(QStringLiteral("SELECT C6 FROM tab_kmmc")), QStringLiteral("old"));
}

// Every catalogue row gets its score again, the rows before the last answered chapter included.
TEST_F(StoreOperations, RefreshScoresEveryCatalogueRow)
{
    const struct
    {
        const char *code;
        int d1, d2;
        const char *score;
    } rows[] = {
        { "1", 3, 1, "66.67" },
        { "10", 3, 1, "66.67" },
        { "1010", 2, 0, "100.00" },
        { "101010", 2, 2, "0.00" },
        { "101011", 0, 0, "0" },
        { "2", 0, 0, "100.00" },
        { "20", -2, 0, "0" },
        { "201010", 0, 1, "0.00" },
    };
    int bh = 0;
    for (const auto &row : rows)
        bank.exec(
            QStringLiteral("INSERT INTO tab_kmmc (bh, C1, D1, D2, C6) VALUES (?1, ?2, ?3, ?4, 'stale')"),
            { ++bh, QString::fromLatin1(row.code), row.d1, row.d2 });
    // The last answer of the practice was in subject 2, after subject 1 in catalogue order.
    counters.updateChapterCounters(QStringLiteral("201010"), Flag::Yes, Flag::No);
    counters.refreshAveragesAndTime(QStringLiteral("0:01:00"));
    for (const auto &row : rows)
        EXPECT_EQ(
            text(QStringLiteral("SELECT C6 FROM tab_kmmc WHERE C1=?1"), { QString::fromLatin1(row.code) }),
            QString::fromLatin1(row.score))
            << row.code;
}

TEST(TimeText, ToSeconds)
{
    const struct
    {
        const char *text;
        qint64 seconds;
    } cases[] = {
        { "1:02:03", 3723 }, { "10:00:59x", 36059 }, { "5:30", 18000 }, { "1:2:3:4", 3720 }, { "", 0 },
        { "1234", 0 }, { "00:00:00", 0 }, { "125:00:00", 450000 }, { "24:00:05", 86405 },
        { "1:2:3:x", 3720 }, // the part after a third colon is never read
        { "0:0:123", 12 }, // only two characters of seconds
    };
    for (const auto &c : cases)
        EXPECT_EQ(timeTextToSeconds(QString::fromLatin1(c.text)), std::optional<qint64>(c.seconds)) << c.text;
}

TEST(TimeText, ConversionErrors)
{
    for (const char *text : { "x:00:00", "1:y:00", "1:02:zz", "1:02:", ":", "1:2:x3" })
        EXPECT_EQ(timeTextToSeconds(QString::fromLatin1(text)), std::nullopt) << text;
}

TEST(TimeText, FromSeconds)
{
    const struct
    {
        qint64 seconds;
        const char *text;
    } cases[] = {
        { 0, "00:00:00" },
        { 3723, "01:02:03" },
        { 86405, "24:00:05" },
        { 450000, "125:00:00" },
        { 59, "00:00:59" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(elapsedTimeText(c.seconds, HourDigits::Two), QString::fromLatin1(c.text));
}

TEST_F(StoreOperations, PaperTotalScoreSumsPointsOfDeclaredQuestions)
{
    bank.exec(
        QStringLiteral("INSERT INTO tab_tx2 (A1, B1, B2, B3) VALUES (61, 'a', 40, 1), (66, 'b', 30, 2), "
                       "(67, 'c', 0, 5)"));
    bank.exec(QStringLiteral("INSERT INTO tab_tx4 (A1, B1, B2, B3) VALUES (61, 'a', 20, 5)"));
    const struct
    {
        int subject;
        int total;
    } cases[] = { { 2, 100 }, { 4, 100 }, { 1, 0 }, { 0, 0 }, { 6, 0 } };
    for (const auto &c : cases)
        EXPECT_EQ(counters.paperTotalScore(c.subject), c.total) << c.subject;
}

TEST_F(StoreOperations, DropPaperTableRemovesTableAndResultTogether)
{
    bank.db().execScript(
        QStringLiteral("CREATE TABLE tab_exam3 (A1 TEXT); CREATE TABLE tab_exam7 (A1 TEXT);"));
    for (const char *name : { "tab_exam3", "TAB_EXAM7", "tab_exam4", "tab_cj" })
        bank.exec(
            QStringLiteral("INSERT INTO tab_cj (A1, A3_1) VALUES (?1, 1)"), { QString::fromLatin1(name) });

    const struct
    {
        const char *name;
        bool tableGone;
        int cjRowsLeft;
    } cases[] = {
        { "tab_exam3", true, 3 }, { "tab_exam7", true, 2 }, // the result row is found whatever its case
        { "tab_exam4", false, 2 }, // no such table: its result row stays
        { "tab_cj", false, 2 }, // not a paper table's name
        { "tab_exam5; DROP TABLE tab_answ", false, 2 }, { "tab_exam3", false, 2 }, // already gone
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        counters.dropPaperTable(QString::fromLatin1(c.name));
        EXPECT_EQ(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_cj")).toInt(), c.cjRowsLeft);
        if (c.tableGone) {
            EXPECT_FALSE(bank.db().tableExists(QString::fromLatin1(c.name)));
        }
    }
    EXPECT_TRUE(bank.db().tableExists(QStringLiteral("tab_cj")));
    EXPECT_TRUE(bank.db().tableExists(QStringLiteral("tab_answ")));
    EXPECT_EQ(text(QStringLiteral("SELECT group_concat(A1, ' ') FROM (SELECT A1 FROM tab_cj ORDER BY A1)")),
        QStringLiteral("tab_cj tab_exam4"));
}
