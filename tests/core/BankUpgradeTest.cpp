#include "TestBank.h"

#include "core/Clock.h"
#include "core/settings/BankUpgrade.h"
#include "core/store/BankSnapshots.h"
#include "core/store/StoreError.h"
#include "demobank/DemoBank.h"
#include "upgradefile/UpgradeFile.h"

#include <QDir>
#include <QFile>

#include <functional>

using namespace vorlane;
using namespace vorlane::settings;
using vorlane::test::TestBank;

namespace {

// A plain SQLite file with the bank's tables, as an upgrade file is.
class UpgradeFile
{
public:
    explicit UpgradeFile(const QString &path)
        : m_path(path)
    {
        auto db = Database::open(path, QByteArray(), Database::Mode::CreateNew);
        if (!db) {
            ADD_FAILURE() << db.reason().toStdString();
            return;
        }
        m_db = *db;
        createSchema(*m_db);
    }

    const QString &path() const { return m_path; }
    void exec(const QString &sql, const QVariantList &values = {}) { m_db->exec(sql, values); }
    void execScript(const QString &sql) { m_db->execScript(sql); }
    void close() { m_db.reset(); }

    void product(const QString &sjbs, const QString &cpbs)
    {
        exec(QStringLiteral("INSERT INTO tab_sj (sjbs, cpbs) VALUES (?1, ?2)"), { sjbs, cpbs });
    }
    void question(const QString &id, const QString &chapter, const QString &point = {})
    {
        exec(QStringLiteral(
                 "INSERT INTO tab_answ (A1, A2, A2_1, A10, A13, K3) VALUES (?1, 'A', 4, ?2, 61, ?3)"),
            { id, chapter, point.isEmpty() ? QVariant() : QVariant(point) });
        exec(QStringLiteral("INSERT INTO tab_exer (A1, A15) VALUES (?1, ?2)"),
            { id, QStringLiteral("<p>新题</p>") });
    }

private:
    QString m_path;
    std::shared_ptr<Database> m_db;
};

class BankUpgradeTest : public ::testing::Test
{
protected:
    BankUpgradeTest()
    {
        bank.exec(QStringLiteral("INSERT INTO tab_sj (sjbs, cpbs) VALUES ('BASE', 'PRODUCT')"));
        bank.exec(QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C2, C3) VALUES (1, '1', '科目一', 1), "
                                 "(2, '10', '篇', 1), (3, '1001', '章', 1), (4, '100101', '节', 1)"));
        bank.exec(QStringLiteral(
            "INSERT INTO tab_fgmc (id, n, q) VALUES ('01', '类', 1), ('010001', '《法》', 1)"));
        bank.exec(QStringLiteral("INSERT INTO tab_rule (ftid, id, sn, n, q) VALUES "
                                 "('0100010002', '010001', '第二条', '<p>第二条</p>', 1)"));
        bank.exec(QStringLiteral("INSERT INTO tab_answ (A1, A2, A2_1, A10, A13, K3) VALUES "
                                 "('OLD0000001', 'A', 4, '100101', 61, '0100010002')"));
        bank.exec(QStringLiteral("INSERT INTO tab_exer (A1, A15) VALUES ('OLD0000001', '<p>旧题</p>')"));
    }

    // A valid upgrade for the product: one new question in the old chapter.
    std::unique_ptr<UpgradeFile> validFile(const QString &name = QStringLiteral("up.db"))
    {
        auto file = std::make_unique<UpgradeFile>(QDir(bank.dir()).filePath(name));
        file->product(QStringLiteral("UP1"), QStringLiteral("PRODUCT"));
        file->question(QStringLiteral("NEW0000001"), QStringLiteral("100101"), QStringLiteral("0100010002"));
        return file;
    }

    // Every row of the tables an upgrade touches, to show that a refused one changed nothing.
    QStringList contents()
    {
        QStringList rows;
        for (const char *table :
            { "tab_kmmc", "tab_exer", "tab_answ", "tab_rule", "tab_fgmc", "tab_title", "tab_sj" }) {
            Statement all = bank.db().prepare(QStringLiteral("SELECT * FROM ") + QLatin1String(table));
            while (all.next()) {
                QStringList values;
                for (int c = 0; c < all.columnCount(); ++c)
                    values << all.value(c).toString();
                rows << QLatin1String(table) + QLatin1Char(':') + values.join(QLatin1Char('|'));
            }
        }
        rows.sort();
        return rows;
    }

    UpgradeReport apply(const QString &path) { return BankUpgrade(bank.db(), clock).apply(path); }

    // Files attached besides the bank itself and its temporary tables.
    int attachedDatabases()
    {
        Statement list = bank.db().prepare(QStringLiteral("PRAGMA database_list"));
        int count = 0;
        while (list.next())
            count += list.text(1) != QLatin1String("main") && list.text(1) != QLatin1String("temp");
        return count;
    }

    TestBank bank;
    FixedClock clock { QDateTime(QDate(2026, 12, 10), QTime(11, 30)) };
};

TEST_F(BankUpgradeTest, AppliesOnceThenSaysItIsDone)
{
    auto file = validFile();
    file->close();
    const UpgradeReport first = apply(file->path());
    EXPECT_EQ(first.outcome, UpgradeOutcome::Succeeded) << first.detail.toStdString();
    EXPECT_EQ(first.message, QStringLiteral("升级成功！"));
    EXPECT_EQ(first.caption, QStringLiteral("提示"));
    EXPECT_EQ(first.iconPage, 0);
    EXPECT_EQ(first.questionsAdded, 1);
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT A15 FROM tab_exer WHERE A1='NEW0000001'")).toString(),
        QStringLiteral("<p>新题</p>"));
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_sj WHERE sjbs='UP1' AND cpbs='PRODUCT'"))
                  .toInt(),
        1);
    EXPECT_EQ(attachedDatabases(), 0); // the file is let go
    // The bank as it was before the merge is kept beside it, and opens.
    ASSERT_FALSE(first.snapshotPath.isEmpty());
    EXPECT_TRUE(checkBankCopy(first.snapshotPath).ok());
    {
        auto kept = Database::open(first.snapshotPath, bank::password());
        ASSERT_TRUE(kept.ok()) << kept.reason().toStdString();
        EXPECT_EQ((*kept)->scalar(QStringLiteral("SELECT count(*) FROM tab_answ")).toInt(), 1);
        EXPECT_EQ((*kept)->scalar(QStringLiteral("SELECT count(*) FROM tab_sj")).toInt(), 1);
    }

    const QStringList after = contents();
    const UpgradeReport second = apply(file->path());
    EXPECT_EQ(second.outcome, UpgradeOutcome::AlreadyApplied);
    EXPECT_EQ(second.message, QStringLiteral("您已升级过了！"));
    EXPECT_EQ(second.iconPage, 1);
    EXPECT_EQ(contents(), after);
}

// Files that are refused, each leaving the bank exactly as it was.
struct RefusedCase
{
    const char *name;
    std::function<void(UpgradeFile &)> spoil;
    UpgradeOutcome outcome;
    const char *message;
};

class BankUpgradeRefusedTest : public BankUpgradeTest, public ::testing::WithParamInterface<RefusedCase>
{
};

TEST_P(BankUpgradeRefusedTest, LeavesTheBankUnchanged)
{
    auto file = validFile();
    GetParam().spoil(*file);
    file->close();
    const QStringList before = contents();
    const UpgradeReport result = apply(file->path());
    EXPECT_EQ(result.outcome, GetParam().outcome) << result.detail.toStdString();
    EXPECT_EQ(result.message, QString::fromUtf8(GetParam().message));
    EXPECT_EQ(contents(), before);
    EXPECT_EQ(attachedDatabases(), 0);
    // Only a merge that was tried needed the bank kept first.
    EXPECT_EQ(result.snapshotPath.isEmpty(), result.outcome != UpgradeOutcome::Failed);
}

const char *const CannotOpen = "无法打开升级文件！";

INSTANTIATE_TEST_SUITE_P(Files, BankUpgradeRefusedTest,
    ::testing::Values(RefusedCase { "OtherProduct",
                          [](UpgradeFile &f) { f.exec(QStringLiteral("UPDATE tab_sj SET cpbs='OTHER'")); },
                          UpgradeOutcome::OtherProduct, "升级文件不属于本软件！" },
        RefusedCase { "EmptyTabSj", [](UpgradeFile &f) { f.exec(QStringLiteral("DELETE FROM tab_sj")); },
            UpgradeOutcome::OtherProduct, "升级文件不属于本软件！" },
        // The whole merge goes back when one key is already in the bank.
        RefusedCase { "RepeatsAQuestion",
            [](UpgradeFile &f) { f.question(QStringLiteral("OLD0000001"), QStringLiteral("100101")); },
            UpgradeOutcome::Failed, "升级失败！" },
        RefusedCase { "RepeatsACatalogueRow",
            [](UpgradeFile &f) {
                f.exec(QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C2) VALUES (9, '1001', 'x')"));
            },
            UpgradeOutcome::Failed, "升级失败！" },
        RefusedCase { "View",
            [](UpgradeFile &f) { f.execScript(QStringLiteral("CREATE VIEW v AS SELECT * FROM tab_answ")); },
            UpgradeOutcome::CannotOpen, CannotOpen },
        RefusedCase { "ViewInPlaceOfATable",
            [](UpgradeFile &f) {
                f.execScript(QStringLiteral("DROP TABLE tab_exer; CREATE VIEW tab_exer AS SELECT A1, "
                                            "'<p>x</p>' AS A15, NULL AS jx FROM tab_answ"));
            },
            UpgradeOutcome::CannotOpen, CannotOpen },
        RefusedCase { "Trigger",
            [](UpgradeFile &f) {
                f.execScript(QStringLiteral(
                    "CREATE TRIGGER t AFTER INSERT ON tab_sj BEGIN DELETE FROM tab_answ; END"));
            },
            UpgradeOutcome::CannotOpen, CannotOpen },
        RefusedCase { "ExtraColumn",
            [](UpgradeFile &f) {
                f.execScript(QStringLiteral("ALTER TABLE tab_answ ADD COLUMN extra TEXT"));
            },
            UpgradeOutcome::CannotOpen, CannotOpen },
        RefusedCase { "ColumnsInAnotherOrder",
            [](UpgradeFile &f) {
                f.execScript(QStringLiteral(
                    "DROP TABLE tab_exer; CREATE TABLE tab_exer (A15 TEXT, A1 TEXT, jx TEXT)"));
            },
            UpgradeOutcome::CannotOpen, CannotOpen },
        RefusedCase { "MissingTable",
            [](UpgradeFile &f) { f.execScript(QStringLiteral("DROP TABLE tab_rule")); },
            UpgradeOutcome::CannotOpen, CannotOpen }),
    [](const ::testing::TestParamInfo<RefusedCase> &info) { return std::string(info.param.name); });

TEST_F(BankUpgradeTest, WhatIsNotAnSQLiteFileCannotBeOpened)
{
    const QStringList before = contents();
    const QString garbage = QDir(bank.dir()).filePath(QStringLiteral("garbage.db"));
    {
        QFile file(garbage);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
    }
    const QString missing = QDir(bank.dir()).filePath(QStringLiteral("missing.db"));
    for (const QString &path : { garbage, missing, bank.dir(), bank.path() }) {
        const UpgradeReport result = apply(path);
        EXPECT_EQ(result.outcome, UpgradeOutcome::CannotOpen) << path.toStdString();
        EXPECT_EQ(result.message, QString::fromUtf8(CannotOpen));
        EXPECT_EQ(result.caption, QStringLiteral("错误"));
        EXPECT_EQ(result.iconPage, 2);
    }
    EXPECT_FALSE(QFile::exists(missing)); // attaching never creates the file
    EXPECT_EQ(contents(), before);
}

TEST_F(BankUpgradeTest, NoPathAsksForOne)
{
    for (const QString &path : { QString(), QStringLiteral("  ") }) {
        const UpgradeReport result = apply(path);
        EXPECT_EQ(result.outcome, UpgradeOutcome::NoFile);
        EXPECT_EQ(result.message, QStringLiteral("请点击文件夹按钮选择升级文件！"));
        EXPECT_EQ(result.iconPage, 1);
    }
}

TEST_F(BankUpgradeTest, APathWithAQuoteAndChineseWorks)
{
    ASSERT_TRUE(QDir(bank.dir()).mkpath(QStringLiteral("升级 'O''Brien\"")));
    auto file = validFile(QStringLiteral("升级 'O''Brien\"/题库'升级.db"));
    file->close();
    const UpgradeReport result = apply(QStringLiteral("  ") + file->path() + QStringLiteral(" "));
    EXPECT_EQ(result.outcome, UpgradeOutcome::Succeeded) << result.detail.toStdString();
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_answ WHERE A1='NEW0000001'")).toInt(), 1);
}

TEST_F(BankUpgradeTest, AFailureInTheMiddleTakesEverythingBack)
{
    auto file = validFile();
    file->close();
    const QStringList before = contents();
    BankUpgrade upgrade(bank.db(), clock);
    upgrade.setAfterCopyHook([] { throw StoreError(QStringLiteral("disk full")); });
    const UpgradeReport result = upgrade.apply(file->path());
    EXPECT_EQ(result.outcome, UpgradeOutcome::Failed);
    EXPECT_EQ(result.message, QStringLiteral("升级失败！"));
    EXPECT_EQ(result.iconPage, 2);
    EXPECT_EQ(contents(), before);
    EXPECT_EQ(attachedDatabases(), 0);
    // And the same file still applies afterwards.
    EXPECT_EQ(apply(file->path()).outcome, UpgradeOutcome::Succeeded);
}

TEST_F(BankUpgradeTest, NoMergeWithoutTheSnapshot)
{
    auto file = validFile();
    file->close();
    // Where the snapshots folder should be there is a file: no copy can be made.
    QFile blocker(QDir(bank.dir()).filePath(QStringLiteral("snapshots")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QStringList before = contents();
    const UpgradeReport result = apply(file->path());
    EXPECT_EQ(result.outcome, UpgradeOutcome::Failed);
    EXPECT_EQ(result.message, QStringLiteral("升级失败！"));
    EXPECT_FALSE(result.detail.isEmpty());
    EXPECT_EQ(contents(), before);
}

TEST_F(BankUpgradeTest, SharedStemsComeAlongWhenTheFileHasThem)
{
    auto file = validFile();
    file->question(QStringLiteral("100101611C0000001-1"), QStringLiteral("100101"));
    file->exec(QStringLiteral("INSERT INTO tab_title (A1, A15) VALUES ('100101611C000000', '<p>案例</p>')"));
    file->close();
    ASSERT_EQ(apply(file->path()).outcome, UpgradeOutcome::Succeeded);
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT A15 FROM tab_title WHERE A1='100101611C000000'")).toString(),
        QStringLiteral("<p>案例</p>"));
}

TEST_F(BankUpgradeTest, CountsOfOldAndNewRowsComeFromTheQuestions)
{
    auto file = validFile();
    // A new chapter whose own count in the file is wrong, with one question in it.
    file->exec(QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C2, C3) VALUES (5, '100102', '新节', 99)"));
    file->question(QStringLiteral("NEW0000002"), QStringLiteral("100102"), QStringLiteral("0100010003"));
    file->exec(QStringLiteral("INSERT INTO tab_rule (ftid, id, sn, n, q) VALUES "
                              "('0100010003', '010001', '第三条', '<p>第三条</p>', 7)"));
    file->close();
    ASSERT_EQ(apply(file->path()).outcome, UpgradeOutcome::Succeeded);

    const auto c3 = [&](const char *code) {
        return bank.scalar(QStringLiteral("SELECT C3 FROM tab_kmmc WHERE C1=?1"), { QLatin1String(code) })
            .toInt();
    };
    EXPECT_EQ(c3("1"), 3);
    EXPECT_EQ(c3("10"), 3);
    EXPECT_EQ(c3("1001"), 3);
    EXPECT_EQ(c3("100101"), 2);
    EXPECT_EQ(c3("100102"), 1);
    const auto q = [&](const char *table, const char *key, const char *id) {
        return bank
            .scalar(
                QStringLiteral("SELECT q FROM %1 WHERE %2=?1").arg(QLatin1String(table), QLatin1String(key)),
                { QLatin1String(id) })
            .toInt();
    };
    EXPECT_EQ(q("tab_rule", "ftid", "0100010002"), 2);
    EXPECT_EQ(q("tab_rule", "ftid", "0100010003"), 1);
    EXPECT_EQ(q("tab_fgmc", "id", "010001"), 3);
    EXPECT_EQ(q("tab_fgmc", "id", "01"), 3);
}

// The sample upgrade file of the tools merges into the demo bank, and every count is then what
// the question rows say.
TEST(DemoUpgradeFile, MergesIntoTheDemoBankWithEveryCountRight)
{
    QTemporaryDir dir;
    const QString bankPath = dir.filePath(QStringLiteral("bank.db"));
    const QString upgradePath = dir.filePath(QStringLiteral("升级.db"));
    ASSERT_TRUE(demo::makeDemoBank(bankPath).ok());
    const Status made = demo::makeUpgradeFile(upgradePath);
    ASSERT_TRUE(made.ok()) << made.reason().toStdString();
    auto db = Database::open(bankPath, bank::password());
    ASSERT_TRUE(db.ok());
    Database &bank = **db;
    const int before = bank.scalar(QStringLiteral("SELECT count(*) FROM tab_answ")).toInt();
    const int lawsBefore = bank.scalar(QStringLiteral("SELECT count(*) FROM tab_fgmc")).toInt();
    FixedClock clock(QDateTime(QDate(2026, 12, 10), QTime(12, 0)));

    const UpgradeReport result = BankUpgrade(bank, clock).apply(upgradePath);
    ASSERT_EQ(result.outcome, UpgradeOutcome::Succeeded) << result.detail.toStdString();
    EXPECT_EQ(result.questionsAdded, before); // the sample carries as many as the demo holds
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_answ")).toInt(), 2 * before);
    EXPECT_GT(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_fgmc")).toInt(), lawsBefore);
    EXPECT_GT(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_title")).toInt(), 0);

    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_kmmc k WHERE coalesce(k.C3,0) <> "
                                         "(SELECT count(*) FROM tab_answ a WHERE a.A10 LIKE k.C1 || '%')"))
                  .toInt(),
        0);
    EXPECT_EQ(
        bank.scalar(QStringLiteral("SELECT sum(C3) FROM tab_kmmc WHERE length(C1) = 1")).toInt(), 2 * before);
    QString anyPoint;
    for (int k = 3; k <= 12; ++k)
        anyPoint += QStringLiteral(" OR substr(a.K%1,1,length(f.id)) = f.id").arg(k);
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_fgmc f WHERE length(f.id) IN (2,6) AND "
                                         "coalesce(f.q,0) <> (SELECT count(*) FROM tab_answ a WHERE 0")
                      + anyPoint + QStringLiteral(")"))
                  .toInt(),
        0);
    EXPECT_EQ(bank.scalar(QStringLiteral(
                              "SELECT count(*) FROM tab_rule r WHERE coalesce(r.q,0) <> (SELECT "
                              "count(*) FROM tab_answ a WHERE r.ftid IN (K3,K4,K5,K6,K7,K8,K9,K10,K11,K12))"))
                  .toInt(),
        0);

    EXPECT_EQ(BankUpgrade(bank, clock).apply(upgradePath).outcome, UpgradeOutcome::AlreadyApplied);
}

} // namespace
