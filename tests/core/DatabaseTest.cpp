#include "TestBank.h"
#include "TestFiles.h"

#include "core/settings/StartupRules.h"
#include "core/store/BankFiles.h"
#include "core/store/StoreError.h"

#include <QDir>
#include <QFile>

using namespace vorlane;
using vorlane::test::readBytes;
using vorlane::test::TestBank;
using vorlane::test::writeBytes;

namespace {

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// A bank with enough rows to span many pages, closed so that its file can be inspected.
void fillAndClose(TestBank &bank)
{
    {
        Transaction transaction(bank.db());
        Statement insert
            = bank.db().prepare(QStringLiteral("INSERT INTO tab_exer (A1, A15, jx) VALUES (?1, ?2, ?3)"));
        for (int i = 0; i < 400; ++i) {
            insert.bind(1, QStringLiteral("Q%1").arg(i, 11, 10, QLatin1Char('0')))
                .bind(2, QStringLiteral("<p>%1</p>").arg(QString(300, QChar(u'题'))))
                .bind(3, QStringLiteral("<p>解析 %1</p>").arg(i));
            insert.exec();
            insert.reset();
        }
        transaction.commit();
    }
    bank.close();
}

} // namespace

TEST(OpenBank, MissingFileIsRefusedAndNotCreated)
{
    TestBank bank;
    const QString missing = QDir(bank.dir()).filePath(QStringLiteral("nothing-here.db"));
    const QStringList before = filesIn(bank.dir());
    auto opened = openBank(missing);
    ASSERT_FALSE(opened);
    EXPECT_TRUE(opened.reason().contains(QStringLiteral("找不到题库文件"))) << opened.reason().toStdString();
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(filesIn(bank.dir()), before);
}

TEST(OpenBank, OpensAFreshBankAndCountsItsTables)
{
    TestBank bank;
    bank.close();
    auto opened = openBank(bank.path());
    ASSERT_TRUE(opened) << opened.reason().toStdString();
    // The fixed tables and the record of papers being sat.
    EXPECT_EQ((*opened)->userTables().size(), fixedTableNames().size() + 1);
    EXPECT_EQ((*opened)->scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    EXPECT_EQ((*opened)->scalar(QStringLiteral("PRAGMA synchronous")).toInt(), 2); // FULL
}

// A bank left in another journal (a maker that switched it off for speed) is opened in WAL;
// a file without a key, such as an upgrade file, keeps its journal.
TEST(OpenBank, BankIsOpenedInWalPlainFileKeepsItsJournal)
{
    TestBank bank;
    bank.db().execScript(QStringLiteral("PRAGMA journal_mode=DELETE"));
    bank.close();
    {
        auto opened = openBank(bank.path());
        ASSERT_TRUE(opened) << opened.reason().toStdString();
        EXPECT_EQ((*opened)->scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    }
    const QString plainPath = QDir(bank.dir()).filePath(QStringLiteral("upgrade.db"));
    {
        auto plain = Database::open(plainPath, QByteArray(), Database::Mode::CreateNew);
        ASSERT_TRUE(plain) << plain.reason().toStdString();
        (*plain)->execScript(QStringLiteral("CREATE TABLE tab_sj (sjbs TEXT, cpbs TEXT)"));
    }
    auto plain = Database::open(plainPath, QByteArray());
    ASSERT_TRUE(plain) << plain.reason().toStdString();
    EXPECT_EQ((*plain)->scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("delete"));
}

TEST(OpenBank, BankIsEncrypted)
{
    TestBank bank;
    fillAndClose(bank);
    const QByteArray bytes = readBytes(bank.path());
    EXPECT_FALSE(bytes.startsWith("SQLite format 3"));
    EXPECT_FALSE(bytes.contains("tab_answ"));
}

TEST(OpenBank, WrongPasswordIsRefusedAndTheFileUnchanged)
{
    TestBank bank;
    fillAndClose(bank);
    const QByteArray before = readBytes(bank.path());
    const QStringList files = filesIn(bank.dir());
    for (const QByteArray &key :
        { QByteArray("k3v9q2m8x7t4w1p6r5z1"), QByteArray("K3V9Q2M8X7T4W1P6R5Z0"), QByteArray() }) {
        auto opened = Database::open(bank.path(), key);
        ASSERT_FALSE(opened) << "key " << key.constData();
        EXPECT_TRUE(opened.reason().contains(QStringLiteral("密码不符"))) << opened.reason().toStdString();
    }
    EXPECT_EQ(readBytes(bank.path()), before);
    EXPECT_EQ(filesIn(bank.dir()), files);
}

// Each way a bank file can be spoiled is refused with a reason, and the file is left as it was.
// Damage the opening sees (the header, the size, the kind of file) refuses the bank at once;
// damage to pages further in is left to the full check, which must find it.
TEST(OpenBank, DamagedFilesAreRefusedAndLeftAsTheyWere)
{
    enum Damage { FirstPageByte, MiddlePageByte, LastPageByte, TruncatedToHalf, Emptied, TextFile };
    const struct
    {
        Damage damage;
        bool refusedAtOpening;
        const char *reasonPart;
    } cases[] = {
        { FirstPageByte, true, "无法打开题库文件" },
        { MiddlePageByte, false, "题库文件已损坏" },
        { LastPageByte, false, "题库文件已损坏" },
        { TruncatedToHalf, true, "题库文件已损坏" },
        { Emptied, true, "不是题库文件" },
        { TextFile, true, "无法打开题库文件" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.damage));
        TestBank bank;
        fillAndClose(bank);
        QByteArray bytes = readBytes(bank.path());
        ASSERT_GT(bytes.size(), 40 * 1024);
        const qsizetype page = 1024;
        switch (c.damage) {
        case FirstPageByte:
            bytes[200] = char(bytes[200] ^ 0x5a);
            break;
        case MiddlePageByte:
            bytes[(bytes.size() / page / 2) * page + 100] ^= 0x01;
            break;
        case LastPageByte:
            bytes[bytes.size() - 30] ^= 0x40;
            break; // in the page's HMAC
        case TruncatedToHalf:
            bytes.truncate((bytes.size() / page / 2) * page);
            break;
        case Emptied:
            bytes.clear();
            break;
        case TextFile:
            bytes = QByteArray("这不是题库\n").repeated(200);
            break;
        }
        writeBytes(bank.path(), bytes);
        const QStringList files = filesIn(bank.dir());

        {
            auto opened = openBank(bank.path());
            Status refused = opened.ok() ? Status() : opened.status();
            ASSERT_EQ(opened.ok(), !c.refusedAtOpening) << opened.reason().toStdString();
            if (opened)
                refused = checkBankData(**opened);
            ASSERT_FALSE(refused);
            EXPECT_TRUE(refused.reason().contains(QString::fromUtf8(c.reasonPart)))
                << refused.reason().toStdString();
            // The user's sentence names the file, not SQLite's words; those are kept as the detail.
            EXPECT_FALSE(refused.reason().contains(QStringLiteral("malformed")));
        }
        EXPECT_EQ(readBytes(bank.path()), bytes);
        EXPECT_EQ(filesIn(bank.dir()), files);
    }
}

TEST(OpenBank, FullCheckPassesAnIntactBank)
{
    TestBank bank;
    fillAndClose(bank);
    auto opened = openBank(bank.path());
    ASSERT_TRUE(opened) << opened.reason().toStdString();
    const Status checked = checkBankData(**opened);
    EXPECT_TRUE(checked) << checked.logText().toStdString();
}

// A keyed file that has some of the bank's tables but not all is refused, by the start-up as by
// every other opening, before its journal is switched to WAL or anything else is written.
TEST(OpenBank, KeyedBankMissingTablesIsRefusedAtStartUpAndNeverWritten)
{
    TestBank bank;
    bank.db().execScript(QStringLiteral(
        "DROP TABLE tab_rule; DROP TABLE tab_exer; DROP TABLE tab_cj; PRAGMA journal_mode=DELETE;"));
    bank.close();
    const QByteArray before = readBytes(bank.path());
    const QStringList files = filesIn(bank.dir());

    auto opened = openBank(bank.path());
    ASSERT_FALSE(opened);
    for (const char *table : { "tab_rule", "tab_exer", "tab_cj" })
        EXPECT_TRUE(opened.reason().contains(QLatin1String(table))) << opened.reason().toStdString();
    EXPECT_EQ(readBytes(bank.path()), before);
    EXPECT_EQ(filesIn(bank.dir()), files);

    auto atStartUp = openBankAtStartup(BankLocation { bank.path(), true }, bank.dir());
    ASSERT_FALSE(atStartUp);
    EXPECT_EQ(atStartUp.reason(), opened.reason());
    EXPECT_EQ(readBytes(bank.path()), before);
    EXPECT_EQ(filesIn(bank.dir()), files);
}

TEST(OpenBank, PlainSqliteFileIsRefusedAndUnchanged)
{
    TestBank bank;
    const QString foreign = QDir(bank.dir()).filePath(QStringLiteral("foreign.db"));
    {
        // An empty key leaves the file in clear text: an ordinary SQLite database.
        auto plain = Database::open(foreign, QByteArray(), Database::Mode::CreateNew);
        ASSERT_TRUE(plain) << plain.reason().toStdString();
        (*plain)->execScript(
            QStringLiteral("CREATE TABLE tab_answ (A1 TEXT); INSERT INTO tab_answ VALUES ('x');"));
    }
    const QByteArray before = readBytes(foreign);
    ASSERT_TRUE(before.startsWith(QByteArrayLiteral("SQLite format 3")));
    const QStringList files = filesIn(bank.dir());

    auto opened = openBank(foreign);
    ASSERT_FALSE(opened);
    EXPECT_TRUE(opened.reason().contains(QStringLiteral("密码不符"))) << opened.reason().toStdString();
    EXPECT_EQ(readBytes(foreign), before);
    EXPECT_EQ(filesIn(bank.dir()), files);
}

TEST(OpenBank, EncryptedFileWithoutTheBankTablesIsRefused)
{
    TestBank bank;
    const QString other = QDir(bank.dir()).filePath(QStringLiteral("other.db"));
    {
        auto db = Database::open(other, bank::password(), Database::Mode::CreateNew);
        ASSERT_TRUE(db);
        (*db)->execScript(QStringLiteral("CREATE TABLE tab_answ (A1 TEXT); CREATE TABLE notes (n TEXT);"));
    }
    const QByteArray before = readBytes(other);
    auto opened = openBank(other);
    ASSERT_FALSE(opened);
    EXPECT_TRUE(opened.reason().contains(QStringLiteral("缺少数据表"))) << opened.reason().toStdString();
    EXPECT_TRUE(opened.reason().contains(QStringLiteral("tab_kmmc")));
    EXPECT_FALSE(opened.reason().contains(QStringLiteral("tab_answ")));
    EXPECT_EQ(readBytes(other), before);
}

TEST(OpenBank, CreatingOverAnExistingFileIsRefused)
{
    TestBank bank;
    bank.close();
    const QByteArray before = readBytes(bank.path());
    EXPECT_FALSE(createEmptyBank(bank.path()));
    EXPECT_EQ(readBytes(bank.path()), before);
}

TEST(StoreTransaction, CommitKeepsAndScopeExitRollsBack)
{
    TestBank bank;
    const QString insert = QStringLiteral("INSERT INTO tab_sj (sjbs, cpbs) VALUES (?1, 'p')");
    const QString count = QStringLiteral("SELECT count(*) FROM tab_sj");
    {
        Transaction kept(bank.db());
        bank.exec(insert, { QStringLiteral("kept") });
        kept.commit();
    }
    {
        Transaction dropped(bank.db());
        bank.exec(insert, { QStringLiteral("dropped") });
    }
    {
        Transaction outer(bank.db());
        bank.exec(insert, { QStringLiteral("outer") });
        {
            Transaction inner(bank.db());
            bank.exec(insert, { QStringLiteral("inner") });
        }
        outer.commit();
    }
    {
        Transaction outer(bank.db());
        {
            Transaction inner(bank.db());
            bank.exec(insert, { QStringLiteral("inner of a dropped outer") });
            inner.commit();
        }
    }
    bank.close();
    auto reopened = openBank(bank.path());
    ASSERT_TRUE(reopened);
    EXPECT_EQ((*reopened)->scalar(count).toInt(), 2);
    EXPECT_EQ((*reopened)->scalar(QStringLiteral("SELECT group_concat(sjbs, ',') FROM tab_sj")).toString(),
        QStringLiteral("kept,outer"));
}

TEST(StoreStatement, CachedStatementBorrowedTwiceKeepsBothCursors)
{
    TestBank bank;
    bank.exec(QStringLiteral("INSERT INTO tab_sj (sjbs) VALUES ('a'), ('b'), ('c')"));
    static const char sql[] = "SELECT sjbs FROM tab_sj ORDER BY sjbs";
    QStringList pairs;
    Statement outer = bank.db().cached(sql);
    while (outer.next()) {
        Statement inner = bank.db().cached(sql);
        while (inner.next())
            pairs << outer.text(0) + inner.text(0);
    }
    EXPECT_EQ(pairs.size(), 9);
    EXPECT_EQ(pairs.first(), QStringLiteral("aa"));
    EXPECT_EQ(pairs.last(), QStringLiteral("cc"));
}

TEST(StoreStatement, ValuesAreBoundNotSpliced)
{
    TestBank bank;
    const QString hostile = QStringLiteral("x'); DROP TABLE tab_answ; --");
    bank.exec(QStringLiteral("INSERT INTO tab_sj (sjbs, cpbs) VALUES (?1, ?2)"), { hostile, QString() });
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT sjbs FROM tab_sj")).toString(), hostile);
    EXPECT_TRUE(bank.db().tableExists(QStringLiteral("tab_answ")));
    EXPECT_THROW(bank.exec(QStringLiteral("SELECT nope FROM tab_sj")), StoreError);
}
