#include "SmallDisk.h"
#include "TestBank.h"
#include "TestFiles.h"

#include "core/store/BankFiles.h"
#include "core/store/BankStartup.h"
#include "core/store/Migrations.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>

using namespace vorlane;
using vorlane::test::readBytes;
using vorlane::test::SmallDisk;
using vorlane::test::TestBank;
using vorlane::test::writeBytes;

namespace {

// A bank with enough rows to span many pages, closed.
void fill(TestBank &bank)
{
    Transaction transaction(bank.db());
    for (int i = 0; i < 300; ++i)
        bank.exec(QStringLiteral("INSERT INTO tab_exer (A1, A15) VALUES (?1, ?2)"),
            { QStringLiteral("x%1").arg(i), QString(200, QChar(u'题')) });
    transaction.commit();
    bank.close();
}

enum class Spoil {
    None,
    ZeroBytes,
    Truncated,
    Random,
    Plain,
    WrongPassword,
    BitFlipped,
    Directory,
    Missing,
    Newer
};

struct StartCase
{
    const char *name;
    Spoil spoil;
    BankRefusal::Kind kind;
};

void PrintTo(const StartCase &c, std::ostream *os)
{
    *os << c.name;
}

class BankStartupCases : public ::testing::TestWithParam<StartCase>
{
};

} // namespace

// Every spoiled bank is refused with "无法连接数据库！", the reason in Chinese under it and what
// to do, never raw engine text; the file stays as it was.
TEST_P(BankStartupCases, RefusedWithAReasonAndLeftAsItWas)
{
    const StartCase &c = GetParam();
    TestBank bank;
    if (c.spoil == Spoil::Newer)
        bank.db().execScript(QStringLiteral("PRAGMA user_version=%1").arg(bank::SchemaVersion + 5));
    fill(bank);
    QByteArray bytes = readBytes(bank.path());
    switch (c.spoil) {
    case Spoil::None:
    case Spoil::Newer:
        break;
    case Spoil::ZeroBytes:
        bytes.clear();
        break;
    case Spoil::Truncated:
        bytes.truncate((bytes.size() / 1024 / 2) * 1024);
        break;
    case Spoil::Random:
        bytes = QByteArray(64 * 1024, '\0');
        QRandomGenerator(5).fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
        break;
    case Spoil::Plain: {
        QFile::remove(bank.path());
        auto plain = Database::open(bank.path(), QByteArray(), Database::Mode::CreateNew);
        ASSERT_TRUE(plain);
        createSchema(**plain);
        plain.value().reset();
        bytes = readBytes(bank.path());
        break;
    }
    case Spoil::WrongPassword: {
        QFile::remove(bank.path());
        auto other
            = Database::open(bank.path(), QByteArrayLiteral("another password"), Database::Mode::CreateNew);
        ASSERT_TRUE(other);
        createSchema(**other);
        other.value().reset();
        bytes = readBytes(bank.path());
        break;
    }
    case Spoil::BitFlipped:
        // In the first page, which every opening reads; damage further in is found by the
        // check (检查数据), not at each start.
        bytes[200] ^= 0x01;
        break;
    case Spoil::Directory:
        QFile::remove(bank.path());
        ASSERT_TRUE(QDir().mkpath(bank.path()));
        break;
    case Spoil::Missing:
        QFile::remove(bank.path());
        break;
    }
    if (c.spoil != Spoil::Directory && c.spoil != Spoil::Missing)
        writeBytes(bank.path(), bytes);
    const QStringList files
        = QDir(bank.dir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

    const BankOpening opening = openBankForWork({ bank.path(), true }, QString());
    ASSERT_FALSE(opening.ok());
    EXPECT_EQ(opening.refusal.kind, c.kind) << opening.refusal.detail.toStdString();
    const QString message = opening.refusal.message();
    EXPECT_TRUE(message.startsWith(QStringLiteral("无法连接数据库！\n"))) << message.toStdString();
    EXPECT_FALSE(message.contains(QRegularExpression(QStringLiteral("database|SQL|sqlite|\\["))))
        << message.toStdString();
    EXPECT_FALSE(opening.refusal.advice().isEmpty());
    if (c.spoil != Spoil::Directory && c.spoil != Spoil::Missing) {
        EXPECT_EQ(readBytes(bank.path()), bytes);
    }
    EXPECT_EQ(QDir(bank.dir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), files);
}

INSTANTIATE_TEST_SUITE_P(Spoiled, BankStartupCases,
    ::testing::Values(StartCase { "zeroBytes", Spoil::ZeroBytes, BankRefusal::Kind::NotABank },
        StartCase { "truncated", Spoil::Truncated, BankRefusal::Kind::Damaged },
        StartCase { "random", Spoil::Random, BankRefusal::Kind::NotABank },
        StartCase { "plain", Spoil::Plain, BankRefusal::Kind::NotABank },
        StartCase { "wrongPassword", Spoil::WrongPassword, BankRefusal::Kind::NotABank },
        StartCase { "bitFlipped", Spoil::BitFlipped, BankRefusal::Kind::NotABank },
        StartCase { "directory", Spoil::Directory, BankRefusal::Kind::Missing },
        StartCase { "missing", Spoil::Missing, BankRefusal::Kind::Missing },
        StartCase { "newer", Spoil::Newer, BankRefusal::Kind::Newer }),
    [](const ::testing::TestParamInfo<StartCase> &info) { return std::string(info.param.name); });

TEST(BankStartup, AGoodBankOpensWritable)
{
    TestBank bank;
    fill(bank);
    const BankOpening opening = openBankForWork({ bank.path(), true }, QString());
    ASSERT_TRUE(opening.ok()) << opening.refusal.detail.toStdString();
    opening.db->exec(QStringLiteral("INSERT INTO tab_sj (sjbs) VALUES ('x')"));
}

// A bank on a disk mounted read-only, in either journal, is refused before it half-works; a
// nearly full disk likewise.
TEST(BankStartup, ReadOnlyDiskAndFullDiskAreRefusedFirst)
{
    SmallDisk disk(4096);
    if (!disk.available())
        GTEST_SKIP() << "no right to mount a small file system here";
    const QString path = QDir(disk.path()).filePath(QStringLiteral("bank.db"));
    for (const char *journal : { "WAL", "DELETE" }) {
        SCOPED_TRACE(journal);
        QFile::remove(path);
        ASSERT_TRUE(createEmptyBank(path));
        {
            auto db = openBank(path);
            ASSERT_TRUE(db);
            (*db)->execScript(QStringLiteral("PRAGMA journal_mode=%1").arg(QLatin1String(journal)));
        }
        const QByteArray bytes = readBytes(path);
        ASSERT_EQ(QProcess::execute(QStringLiteral("mount"),
                      { QStringLiteral("-o"), QStringLiteral("remount,ro"), disk.path() }),
            0);
        const BankOpening opening = openBankForWork({ path, true }, QString());
        QProcess::execute(
            QStringLiteral("mount"), { QStringLiteral("-o"), QStringLiteral("remount,rw"), disk.path() });
        ASSERT_FALSE(opening.ok());
        EXPECT_EQ(opening.refusal.kind, BankRefusal::Kind::ReadOnly) << opening.refusal.reason.toStdString();
        EXPECT_EQ(readBytes(path), bytes);
    }
    // Fill the disk to within the margin.
    QFile filler(QDir(disk.path()).filePath(QStringLiteral("filler")));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(64 * 1024, 'x');
    while (filler.write(block) == block.size()) { }
    filler.close();
    const BankOpening full = openBankForWork({ path, true }, QString());
    ASSERT_FALSE(full.ok());
    EXPECT_EQ(full.refusal.kind, BankRefusal::Kind::DiskFull);
    EXPECT_TRUE(full.refusal.message().contains(QStringLiteral("腾出")))
        << full.refusal.message().toStdString();
}

// Another program holding the bank is waited for a few seconds, then named.
TEST(BankStartup, ABankHeldByAnotherProgramIsRefusedAsLocked)
{
    TestBank bank;
    fill(bank);
    QProcess holder;
    holder.start(QStringLiteral("sqlcipher"), { bank.path() });
    if (!holder.waitForStarted())
        GTEST_SKIP() << "no sqlcipher shell to hold the bank";
    holder.write("PRAGMA key='" + bank::password()
        + "';\nBEGIN IMMEDIATE;\nINSERT INTO tab_sj (sjbs) VALUES ('held');\n"
          "SELECT 'holding';\n");
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    const BankOpening opening = openBankForWork({ bank.path(), true }, QString());
    holder.closeWriteChannel();
    holder.waitForFinished();
    ASSERT_FALSE(opening.ok());
    EXPECT_EQ(opening.refusal.kind, BankRefusal::Kind::Locked) << opening.refusal.detail.toStdString();
    EXPECT_TRUE(opening.refusal.message().contains(QStringLiteral("关闭")))
        << opening.refusal.message().toStdString();
}
