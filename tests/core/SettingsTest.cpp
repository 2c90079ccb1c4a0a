#include "TestBank.h"

#include "core/AppState.h"
#include "core/settings/AnswerTimes.h"
#include "core/settings/StartupRules.h"
#include "core/store/BankFiles.h"

#include <QFile>

#include <gtest/gtest.h>

namespace vorlane {
namespace {

TEST(AnswerTick, IsTheMinutesTimesSixHundredTruncated)
{
    const std::pair<double, int> cases[] = { { 1.5, 900 }, { 0.05, 30 }, { 2.5, 1500 }, { 0.1, 60 },
        { 2.3, 1380 }, { 30.0, 18000 }, { 0.0999, 59 } };
    for (const auto &[minutes, tick] : cases)
        EXPECT_EQ(answerTickMs(minutes), tick) << minutes;
}

TEST(ScreenLayout, EitherSmallDimensionChoosesTheCompactLayout)
{
    EXPECT_EQ(screenLayoutFor(QSize(800, 600)), QLatin1String("800"));
    EXPECT_EQ(screenLayoutFor(QSize(800, 768)), QLatin1String("800"));
    EXPECT_EQ(screenLayoutFor(QSize(1280, 600)), QLatin1String("800"));
    EXPECT_EQ(screenLayoutFor(QSize(1280, 1024)), QLatin1String("1024"));
    EXPECT_EQ(screenLayoutFor(QSize(1024, 768)), QLatin1String("1024"));
    EXPECT_EQ(screenLayoutFor(QSize(640, 480)), QLatin1String("1024"));
}

TEST(SmallFonts, ScaledScreensPassUnscaledHighResolutionDoesNot)
{
    EXPECT_TRUE(isSmallFonts(96.0));
    EXPECT_TRUE(isSmallFonts(96.4));
    EXPECT_FALSE(isSmallFonts(120.0));
    EXPECT_FALSE(isSmallFonts(192.0));
}

class TypeTimesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::tuple<int, const char *, QVariant> rows[]
            = { { 2, "多选题", 0.05 }, { 1, " 单选题 ", 1.5 }, { 3, "判断题", QVariant() } };
        for (const auto &[id, name, time] : rows)
            bank.exec(QStringLiteral("INSERT INTO tab_tx3 (A1, B1, time) VALUES (?, ?, ?)"),
                { id, QString::fromUtf8(name), time });
    }
    test::TestBank bank;
};

TEST_F(TypeTimesTest, LoadsTicksInTableOrder)
{
    const Result<QList<AnswerTime>> table = loadAnswerTimes(bank.db(), 3);
    ASSERT_TRUE(table.ok()) << table.reason().toStdString();
    const QList<AnswerTime> expected { { 1, 900 }, { 2, 30 }, { 3, 600 } };
    EXPECT_EQ(table.value(), expected);

    const Result<QList<TypeTime>> types = loadTypeTimes(bank.db(), 3);
    ASSERT_TRUE(types.ok());
    EXPECT_EQ(types->at(0).name, QStringLiteral("单选题"));
}

TEST_F(TypeTimesTest, SubjectWithoutTypesGivesAnEmptyTable)
{
    const Result<QList<AnswerTime>> table = loadAnswerTimes(bank.db(), 1);
    ASSERT_TRUE(table.ok());
    EXPECT_TRUE(table->isEmpty());
    EXPECT_TRUE(loadAnswerTimes(bank.db(), 0)->isEmpty());
    EXPECT_TRUE(loadAnswerTimes(bank.db(), 6)->isEmpty());
}

// Showing the menu: music on, subject 0 taken as 1, and the subject's answer times loaded
// unless it has no question types.
TEST_F(TypeTimesTest, MenuShowRulesSettleTheSubjectAndItsTimes)
{
    AppState state;
    state.examSubject = 3;
    applyMenuShowRules(state, bank.db());
    EXPECT_TRUE(state.musicOn);
    EXPECT_EQ(state.examSubject, 3);
    EXPECT_EQ(state.answerTimeTable, (QList<AnswerTime> { { 1, 900 }, { 2, 30 }, { 3, 600 } }));

    state.examSubject = 0; // subject 1 has no types here: the table stays
    applyMenuShowRules(state, bank.db());
    EXPECT_EQ(state.examSubject, 1);
    EXPECT_EQ(state.answerTimeTable.size(), 3);
}

TEST_F(TypeTimesTest, SavingWritesTheBankAndTheTable)
{
    QList<TypeTime> types = loadTypeTimes(bank.db(), 3).value();
    types[0].minutes = 2.5;
    types[2].minutes = 45; // beyond what the settings accept
    types[1].minutes = 0.01;
    QList<AnswerTime> table { { 9, 1 } };
    ASSERT_TRUE(saveTypeTimes(bank.db(), 3, types, table).ok());
    EXPECT_DOUBLE_EQ(bank.scalar(QStringLiteral("SELECT time FROM tab_tx3 WHERE A1=1")).toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(bank.scalar(QStringLiteral("SELECT time FROM tab_tx3 WHERE A1=2")).toDouble(), 0.1);
    EXPECT_DOUBLE_EQ(bank.scalar(QStringLiteral("SELECT time FROM tab_tx3 WHERE A1=3")).toDouble(), 30.0);
    const QList<AnswerTime> expected { { 1, 1500 }, { 2, 60 }, { 3, 18000 } };
    EXPECT_EQ(table, expected);
}

TEST_F(TypeTimesTest, AFailureKeepsTheRowsWrittenBeforeIt)
{
    bank.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON tab_tx3 WHEN new.A1 = 2 "
                             "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    QList<TypeTime> types = loadTypeTimes(bank.db(), 3).value();
    for (TypeTime &type : types)
        type.minutes = 4;
    QList<AnswerTime> table;
    const Status saved = saveTypeTimes(bank.db(), 3, types, table);
    EXPECT_FALSE(saved.ok());
    EXPECT_DOUBLE_EQ(bank.scalar(QStringLiteral("SELECT time FROM tab_tx3 WHERE A1=1")).toDouble(), 4.0);
    EXPECT_DOUBLE_EQ(bank.scalar(QStringLiteral("SELECT time FROM tab_tx3 WHERE A1=2")).toDouble(), 0.05);
    EXPECT_TRUE(bank.scalar(QStringLiteral("SELECT time FROM tab_tx3 WHERE A1=3")).isNull());
    ASSERT_EQ(table.size(), 3);
    EXPECT_EQ(table.at(0), (AnswerTime { 1, 2400 }));
}

TEST(SubjectTitles, ReadsTheFiveSubjectRows)
{
    test::TestBank bank;
    bank.exec(QStringLiteral("INSERT INTO tab_kmmc (C1, C2) VALUES ('1', ' 综合知识 '), ('3', '实务'), "
                             "('10', '第一章'), ('6', '其他')"));
    const Result<QMap<int, QString>> titles = loadSubjectTitles(bank.db());
    ASSERT_TRUE(titles.ok());
    const QMap<int, QString> expected { { 1, QStringLiteral("综合知识") }, { 3, QStringLiteral("实务") } };
    EXPECT_EQ(titles.value(), expected);
}

// Subjects 4 and 5 have no rows "4" and "5": their chapters begin "06".."09" and "05" under
// a shared row, so their part rows name them.
TEST(SubjectTitles, ASubjectWithoutItsRowIsNamedByItsParts)
{
    test::TestBank bank;
    bank.exec(QStringLiteral(
        "INSERT INTO tab_kmmc (bh, C1, C2) VALUES (1, '1', '综合知识'), (2, '0', '专业科目'), "
        "(3, '07', '科目四　模块二　危险品'), (4, '06', '科目四　模块一　冷链'), (5, '0601', '冷链设施'), "
        "(6, '05', '科目五　案例分析'), (7, '10', '科目一　第一部分')"));
    const Result<QMap<int, QString>> titles = loadSubjectTitles(bank.db());
    ASSERT_TRUE(titles.ok());
    const QMap<int, QString> expected { { 1, QStringLiteral("综合知识") },
        { 4, QStringLiteral("危险品、冷链") }, { 5, QStringLiteral("科目五　案例分析") } };
    EXPECT_EQ(titles.value(), expected);
}

} // namespace
} // namespace vorlane

namespace vorlane {
namespace {

class StartupBankTest : public ::testing::Test
{
protected:
    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    QTemporaryDir dir;
};

TEST_F(StartupBankTest, OpensAGoodBank)
{
    ASSERT_TRUE(createEmptyBank(path("good.db")).ok());
    EXPECT_TRUE(openBankAtStartup(BankLocation { path("good.db"), true }, dir.path()).ok());
}

TEST_F(StartupBankTest, RefusesWhatIsNoBank)
{
    QFile garbage(path("garbage.db"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(8192, '\x5a'));
    garbage.close();
    // A database keyed like a bank but without the bank's tables.
    {
        auto foreign = Database::open(path("foreign.db"), bank::password(), Database::Mode::CreateNew);
        ASSERT_TRUE(foreign.ok());
        foreign.value()->execScript(QStringLiteral("CREATE TABLE notes (x TEXT);"));
    }
    // A bank under another key.
    {
        auto plain
            = Database::open(path("plain.db"), QByteArrayLiteral("another key"), Database::Mode::CreateNew);
        ASSERT_TRUE(plain.ok());
        createSchema(*plain.value());
    }
    for (const char *name : { "garbage.db", "foreign.db", "plain.db", "missing.db" }) {
        const auto opened = openBankAtStartup(BankLocation { path(name), true }, dir.path());
        EXPECT_FALSE(opened.ok()) << name;
        EXPECT_FALSE(opened.reason().isEmpty()) << name;
    }
    EXPECT_FALSE(QFile::exists(path("missing.db")));
}

TEST_F(StartupBankTest, SeedsTheUsersBankFromTheShippedOne)
{
    QDir(dir.path()).mkpath(QStringLiteral("app/data"));
    ASSERT_TRUE(createEmptyBank(path("app/data/") + QLatin1String(bank::FileName)).ok());
    const BankLocation location { path("user/bank.db"), false };
    EXPECT_TRUE(openBankAtStartup(location, path("app/")).ok());
    EXPECT_TRUE(QFile::exists(location.path));
}

} // namespace
} // namespace vorlane
