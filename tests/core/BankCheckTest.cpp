#include "PracticeFixture.h"

#include "core/practice/PracticeSession.h"
#include "core/store/BankCheck.h"
#include "core/store/BankSnapshots.h"
#include "core/store/QuestionCounts.h"

#include <QDir>
#include <QFile>

#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

using namespace vorlane;
using vorlane::test::PracticeBank;

namespace {

// Every figure the check rebuilds or looks at, as text, to compare whole banks.
QStringList dump(Database &db)
{
    QStringList lines;
    for (const char *sql : {
             "SELECT C1, C3, C4, D1, D2, C6 FROM tab_kmmc ORDER BY C1",
             "SELECT ftid, q, q1, q2, q4 FROM tab_rule ORDER BY ftid",
             "SELECT id, q, q1, q2, q4 FROM tab_fgmc ORDER BY id",
             "SELECT A1, A2, A3, B1, B2 FROM tab_rz ORDER BY A1",
             "SELECT A1 FROM tab_cj ORDER BY A1",
             "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name",
         }) {
        Statement rows = db.prepare(QString::fromLatin1(sql));
        while (rows.next()) {
            QStringList values;
            for (int c = 0; c < rows.columnCount(); ++c)
                values << rows.text(c);
            lines << values.join(QLatin1Char('|'));
        }
    }
    return lines;
}

// A small bank used for real: answers recorded through the practice session (right, wrong,
// changed, on two chapters and three articles), a stored paper, the daily log of one day.
class CheckedBank : public PracticeBank
{
public:
    CheckedBank()
    {
        const QString a1 = QStringLiteral("1100010001"), a2 = QStringLiteral("1100010002"),
                      a3 = QStringLiteral("1100010003");
        addQuestion(QStringLiteral("q1"), QStringLiteral("100101"), 61, QStringLiteral("A"), 4, { a1, a2 });
        addQuestion(QStringLiteral("q2"), QStringLiteral("100101"), 61, QStringLiteral("B"), 4, { a1 });
        addQuestion(QStringLiteral("q3"), QStringLiteral("100101"), 61, QStringLiteral("C"), 4, { a2, a2 });
        addQuestion(QStringLiteral("q4"), QStringLiteral("100102"), 61, QStringLiteral("D"), 4, { a3 });
        addQuestion(QStringLiteral("q5"), QStringLiteral("100102"), 61, QStringLiteral("A"), 4, {});
        addQuestion(QStringLiteral("q6"), QStringLiteral("100102"), 61, QStringLiteral("A"), 4, { a3 });
        {
            Transaction counting(db());
            QuestionCounts(db()).recountAll();
            counting.commit();
        }
        PracticeSession session(db(), clock);
        EXPECT_TRUE(
            session.openQuestionList({ QStringLiteral("select * from tab_answ order by a1"), {} }).value());
        const struct
        {
            int position;
            const char *answer;
        } answers[] = { { 1, "A" }, { 2, "C" }, { 2, "B" }, { 3, "A" }, { 4, "D" }, { 6, "B" }, { 6, "C" } };
        for (const auto &a : answers)
            EXPECT_TRUE(session.recordAnswer(a.position, QString::fromLatin1(a.answer)).ok());
        EXPECT_TRUE(session.finish(QStringLiteral("0:05:00")).ok());
        exec(QStringLiteral("CREATE TABLE tab_exam1 (A1 TEXT)"));
        exec(QStringLiteral(
            "INSERT INTO tab_cj (A1, A3, A3_1, D1) VALUES ('tab_exam1', '试卷', 1, '2026-03-14')"));
    }
};

struct DamageCase
{
    const char *name;
    const char *damage;
    QMap<CheckFinding, int> found;
    bool exact; // the repair brings back exactly the figures recorded
};

void PrintTo(const DamageCase &c, std::ostream *os)
{
    *os << c.name;
}

class CheckRepairs : public ::testing::TestWithParam<DamageCase>
{
};

} // namespace

// The check agrees with the recording: a bank used only through the program has nothing to
// repair, and a look changes nothing.
TEST(BankCheck, BankUsedThroughTheProgramIsClean)
{
    CheckedBank bank;
    ASSERT_GT(bank.integer(QStringLiteral("SELECT D2 FROM tab_kmmc WHERE C1='1'")), 0);
    const QStringList before = dump(bank.db());
    const BankCheckReport report = checkBank(bank.db(), nullptr);
    EXPECT_EQ(report.outcome, BankCheckReport::Outcome::Clean) << report.text().toStdString();
    EXPECT_TRUE(report.found.isEmpty()) << report.text().toStdString();
    EXPECT_EQ(report.exitCode(), 0);
    EXPECT_EQ(dump(bank.db()), before);
    EXPECT_TRUE(report.text().contains(QStringLiteral("题库完好")));
}

TEST_P(CheckRepairs, EachDamageIsRepairedCountedAndASecondRunIsClean)
{
    const DamageCase &c = GetParam();
    CheckedBank bank;
    const QStringList healthy = dump(bank.db());
    bank.db().execScript(QString::fromLatin1(c.damage));
    const QStringList damaged = dump(bank.db());
    ASSERT_NE(damaged, healthy);

    BankSnapshots snapshots(bank.path(), bank.clock);
    const BankCheckReport first = checkBank(bank.db(), &snapshots);
    EXPECT_EQ(first.outcome, BankCheckReport::Outcome::Repaired) << first.text().toStdString();
    EXPECT_EQ(first.exitCode(), 1);
    EXPECT_EQ(first.found, c.found) << first.text().toStdString();
    for (auto it = c.found.cbegin(); it != c.found.cend(); ++it)
        EXPECT_TRUE(first.text().contains(
            BankCheckReport::findingText(it.key()) + QStringLiteral("：%1 处").arg(*it)))
            << first.text().toStdString();
    if (c.exact) {
        EXPECT_EQ(dump(bank.db()), healthy);
    }

    // The bank as it was before the repair is kept.
    ASSERT_TRUE(QFile::exists(first.snapshotPath));
    auto kept = openBank(first.snapshotPath);
    ASSERT_TRUE(kept);
    EXPECT_EQ(dump(**kept), damaged);

    const BankCheckReport second = checkBank(bank.db(), &snapshots);
    EXPECT_EQ(second.outcome, BankCheckReport::Outcome::Clean) << second.text().toStdString();
    EXPECT_TRUE(second.found.isEmpty());
    EXPECT_TRUE(second.snapshotPath.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Damage, CheckRepairs,
    ::testing::Values(DamageCase { "answered", "UPDATE tab_kmmc SET C4=C4+1 WHERE C1='100101'",
                          { { CheckFinding::CatalogueAnswered, 1 } }, true },
        DamageCase { "answers", "UPDATE tab_kmmc SET D1=D1+5 WHERE C1 IN ('10','1')",
            { { CheckFinding::CatalogueAnswers, 2 } }, true },
        // Wrong answers are not in the rows: only brought back within what the rows allow.
        DamageCase { "wrongNegative", "UPDATE tab_kmmc SET D2=-4 WHERE C1='100102'",
            { { CheckFinding::CatalogueWrong, 1 }, { CheckFinding::CatalogueScore, 1 } }, false },
        DamageCase { "wrongAboveAnswers", "UPDATE tab_kmmc SET D2=D1+1 WHERE C1='1'",
            { { CheckFinding::CatalogueWrong, 1 }, { CheckFinding::CatalogueScore, 1 } }, false },
        DamageCase { "score", "UPDATE tab_kmmc SET C6='99.99' WHERE C1 <> 'xx'",
            { { CheckFinding::CatalogueScore, 4 } }, true },
        DamageCase { "questionCounts", "UPDATE tab_kmmc SET C3=C3+2 WHERE C1='10'; UPDATE tab_rule SET q=0",
            { { CheckFinding::QuestionCounts, 4 } }, true },
        DamageCase { "articles", "UPDATE tab_rule SET q2=q2+1 WHERE ftid='1100010001'",
            { { CheckFinding::ArticleCounters, 1 } }, true },
        DamageCase {
            "lawsAndCategories", "UPDATE tab_fgmc SET q1=0", { { CheckFinding::LawCounters, 2 } }, true },
        DamageCase {
            "paperRow", "DROP TABLE tab_exam1", { { CheckFinding::PaperRowWithoutTable, 1 } }, false },
        DamageCase { "paperTable", "CREATE TABLE tab_exam9 (A1 TEXT)",
            { { CheckFinding::PaperTableWithoutRow, 1 } }, true }),
    [](const ::testing::TestParamInfo<DamageCase> &info) { return std::string(info.param.name); });

// The daily log holds figures no row can rebuild: impossible ones are reported, never changed.
TEST(BankCheck, ImpossibleLogFiguresAreReportedAndKept)
{
    CheckedBank bank;
    bank.exec(QStringLiteral("INSERT INTO tab_rz (A1, A2, A3, B1, B2) VALUES ('2026-03-10', 3, 1, 2, -1), "
                             "('2026-03-11', 2, 3, 1, 0), ('2026-03-12', 4, 1, 1, 2)"));
    const QStringList before = dump(bank.db());
    const BankCheckReport report = checkBank(bank.db(), nullptr);
    EXPECT_EQ(report.outcome, BankCheckReport::Outcome::Clean);
    EXPECT_EQ(report.exitCode(), 0);
    EXPECT_EQ(report.impossibleDays,
        (QStringList {
            QStringLiteral("2026-03-10"), QStringLiteral("2026-03-11"), QStringLiteral("2026-03-12") }));
    EXPECT_TRUE(report.text().contains(QStringLiteral("有 3 天的数字不可能"))) << report.text().toStdString();
    EXPECT_EQ(dump(bank.db()), before);
}

// Armed once the repair pass begins, so that the look before it runs through.
bool g_failRepair = false;

TEST(BankCheck, AFailingRepairChangesNothing)
{
    CheckedBank bank;
    bank.db().execScript(
        QStringLiteral("UPDATE tab_kmmc SET C4=0; UPDATE tab_fgmc SET q2=q2+3 WHERE id='11'"));
    const QStringList damaged = dump(bank.db());
    g_failRepair = false;
    sqlite3_create_function(
        bank.db().handle(), "repair_fails", 0, SQLITE_UTF8, nullptr,
        [](sqlite3_context *context, int, sqlite3_value **) {
            sqlite3_result_int(context, g_failRepair ? 1 : 0);
        },
        nullptr, nullptr);
    // Fails the last of the repairs, after the catalogue rows have been written.
    bank.db().execScript(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE UPDATE OF q2 ON tab_fgmc "
                                        "WHEN repair_fails() BEGIN SELECT RAISE(ABORT, 'injected'); END"));
    const BankCheckReport report = checkBank(bank.db(), nullptr, {}, [](int percent, const QString &) {
        if (percent == 96)
            g_failRepair = true;
    });
    EXPECT_TRUE(g_failRepair);
    EXPECT_EQ(report.outcome, BankCheckReport::Outcome::Found);
    EXPECT_EQ(report.exitCode(), 2);
    EXPECT_TRUE(report.detail.contains(QStringLiteral("injected")));
    EXPECT_TRUE(report.text().contains(QStringLiteral("没有修复"))) << report.text().toStdString();
    EXPECT_EQ(report.found.value(CheckFinding::CatalogueAnswered), 4);
    EXPECT_EQ(dump(bank.db()), damaged);
}

// Damaged pages: reported, and not a byte written.
TEST(BankCheck, DamagedPagesAreReportedAndNothingIsWritten)
{
    CheckedBank bank;
    Transaction filling(bank.db());
    for (int i = 0; i < 300; ++i)
        bank.exec(QStringLiteral("INSERT INTO tab_exer (A1, A15) VALUES (?1, ?2)"),
            { QStringLiteral("x%1").arg(i), QString(200, QChar(u'题')) });
    filling.commit();
    bank.close();
    QFile file(bank.path());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    bytes[(bytes.size() / 1024 / 2) * 1024 + 100] ^= 0x01;
    file.seek(0);
    file.write(bytes);
    file.close();

    auto opened = Database::open(bank.path(), bank::password(), Database::Mode::ReadOnly);
    ASSERT_TRUE(opened);
    const BankCheckReport report = checkBank(**opened, nullptr);
    EXPECT_EQ(report.outcome, BankCheckReport::Outcome::Damaged);
    EXPECT_EQ(report.exitCode(), 2);
    EXPECT_FALSE(report.damage.isEmpty());
    EXPECT_TRUE(report.text().contains(QStringLiteral("已损坏")));
    opened.value().reset();
    QFile after(bank.path());
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), bytes);
}

// The command's exit status: 0 clean, 1 repaired (then 0), 2 for a file that is damaged or
// no bank at all.
TEST(BankCheck, CommandExitStatus)
{
    CheckedBank bank;
    bank.exec(QStringLiteral("UPDATE tab_kmmc SET D1=0"));
    bank.close();
    QString output;
    EXPECT_EQ(checkBankFile(bank.path(), bank.clock, output), 1);
    EXPECT_TRUE(output.contains(QStringLiteral("已修复"))) << output.toStdString();
    EXPECT_EQ(checkBankFile(bank.path(), bank.clock, output), 0);
    EXPECT_TRUE(output.contains(QStringLiteral("题库完好"))) << output.toStdString();

    QFile file(bank.path());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    bytes[(bytes.size() / 1024 / 2) * 1024 + 100] ^= 0x01;
    file.seek(0);
    file.write(bytes);
    file.close();
    EXPECT_EQ(checkBankFile(bank.path(), bank.clock, output), 2);
    EXPECT_TRUE(output.contains(QStringLiteral("损坏"))) << output.toStdString();
    EXPECT_EQ(checkBankFile(bank.path() + QStringLiteral(".none"), bank.clock, output), 2);
}
