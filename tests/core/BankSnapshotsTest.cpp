#include "SmallDisk.h"
#include "TestBank.h"
#include "TestFiles.h"

#include "core/Clock.h"
#include "core/store/BankSnapshots.h"

#include <QDir>
#include <QFile>

using namespace vorlane;
using vorlane::test::readBytes;
using vorlane::test::SmallDisk;
using vorlane::test::TestBank;
using vorlane::test::writeBytes;

namespace {

void addQuestions(TestBank &bank, int from, int count, int attempts)
{
    Transaction transaction(bank.db());
    for (int i = from; i < from + count; ++i)
        bank.exec(
            QStringLiteral("INSERT INTO tab_answ (A1, A2, A10, A13, E3) VALUES (?1, 'A', '101010', 1, ?2)"),
            { QStringLiteral("Q%1").arg(i, 6, 10, QLatin1Char('0')), attempts });
    transaction.commit();
}

qint64 questionCount(Database &db)
{
    return db.scalar(QStringLiteral("SELECT count(*) FROM tab_answ")).toLongLong();
}

QDateTime at(const QString &text)
{
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm"));
}

// Flips one bit in the middle of a file: the kind of damage only a full read finds.
void damageMiddle(const QString &path)
{
    QByteArray bytes = readBytes(path);
    ASSERT_GT(bytes.size(), 8 * 1024);
    bytes[(bytes.size() / 1024 / 2) * 1024 + 100] ^= 0x01;
    writeBytes(path, bytes);
}

} // namespace

TEST(BankCopy, CopyIsEncryptedCompleteAndOneFile)
{
    TestBank bank;
    addQuestions(bank, 0, 300, 2);
    const QString target = QDir(bank.dir()).filePath(QStringLiteral("copy.db"));
    const Status copied = copyBank(bank.db(), target);
    ASSERT_TRUE(copied) << copied.reason().toStdString();

    EXPECT_FALSE(readBytes(target).startsWith("SQLite format 3"));
    EXPECT_FALSE(QFile::exists(target + QStringLiteral(".part")));
    EXPECT_FALSE(QFile::exists(target + QStringLiteral("-wal")));
    EXPECT_TRUE(checkBankCopy(target)) << checkBankCopy(target).reason().toStdString();
    auto opened = openBank(target);
    ASSERT_TRUE(opened) << opened.reason().toStdString();
    EXPECT_EQ(questionCount(**opened), 300);
    EXPECT_EQ(BankSnapshots::answersRecorded(target), 600);
}

// The copy never takes a name that holds something, and a copy that cannot be made leaves
// nothing under the final name nor its temporary one.
TEST(BankCopy, RefusesAnExistingTargetAndLeavesNothingWhenItFails)
{
    TestBank bank;
    addQuestions(bank, 0, 10, 1);
    const QString existing = QDir(bank.dir()).filePath(QStringLiteral("taken.db"));
    writeBytes(existing, "mine");
    EXPECT_FALSE(copyBank(bank.db(), existing));
    EXPECT_EQ(readBytes(existing), QByteArray("mine"));

    // A disk too small for the copy: the backup fails half-way through.
    addQuestions(bank, 10, 2000, 1);
    SmallDisk disk(64);
    if (!disk.available())
        GTEST_SKIP() << "no right to mount a small file system here";
    const QString target = QDir(disk.path()).filePath(QStringLiteral("copy.db"));
    const Status failed = copyBank(bank.db(), target);
    EXPECT_FALSE(failed);
    EXPECT_TRUE(failed.reason().contains(QStringLiteral("无法备份题库"))) << failed.reason().toStdString();
    EXPECT_TRUE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(questionCount(bank.db()), 2010);
}

TEST(BankCopy, DamagedCopyFailsTheCheck)
{
    TestBank bank;
    addQuestions(bank, 0, 400, 1);
    const QString target = QDir(bank.dir()).filePath(QStringLiteral("copy.db"));
    ASSERT_TRUE(copyBank(bank.db(), target));
    damageMiddle(target);
    const QByteArray damaged = readBytes(target);
    EXPECT_FALSE(checkBankCopy(target));
    EXPECT_EQ(readBytes(target), damaged); // the check only reads
}

TEST(BankSnapshots, TakeNamesTheDateAndReasonAndListsNewestFirst)
{
    TestBank bank;
    addQuestions(bank, 0, 5, 3);
    FixedClock clock(at(QStringLiteral("2026-03-02 08:15")));
    BankSnapshots snapshots(bank.path(), clock);
    EXPECT_FALSE(snapshots.takenToday());

    auto daily = snapshots.take(bank.db(), SnapshotReason::Daily);
    ASSERT_TRUE(daily) << daily.reason().toStdString();
    EXPECT_TRUE(
        QFileInfo(daily->path).fileName().startsWith(QStringLiteral("ZRVTQM602941-20260302-081500-daily")));
    EXPECT_EQ(QFileInfo(daily->path).absolutePath(), QDir(bank.dir()).filePath(QStringLiteral("snapshots")));
    EXPECT_TRUE(snapshots.takenToday());

    // Two in the same second get names of their own.
    clock.advance(3600);
    ASSERT_TRUE(snapshots.take(bank.db(), SnapshotReason::BeforeDelete));
    ASSERT_TRUE(snapshots.take(bank.db(), SnapshotReason::BeforeDelete));

    const QList<SnapshotInfo> all = snapshots.list();
    ASSERT_EQ(all.size(), 1); // one a day: the newest of the day is kept
    EXPECT_EQ(all.at(0).reason, SnapshotReason::BeforeDelete);
    EXPECT_EQ(all.at(0).taken, at(QStringLiteral("2026-03-02 09:15")));
    EXPECT_GT(all.at(0).size, 0);
    EXPECT_TRUE(QFileInfo(all.at(0).path).fileName().endsWith(QStringLiteral("-delete-2.db")));

    clock.advance(24 * 3600);
    EXPECT_FALSE(snapshots.takenToday());
}

// The rule, on names alone: the newest of each of the last 7 days that have a snapshot, then
// the newest of each of the 4 weeks before; stray files and cut-short copies.
TEST(BankSnapshots, ThinningKeepsSevenDaysAndFourWeeks)
{
    TestBank bank;
    FixedClock clock(at(QStringLiteral("2026-03-31 20:00")));
    BankSnapshots snapshots(bank.path(), clock);
    ASSERT_TRUE(QDir().mkpath(snapshots.folder()));
    const QDir folder(snapshots.folder());
    // Two a day (morning and evening) for 60 days up to 2026-03-31, skipping 2026-03-28.
    for (int back = 0; back < 60; ++back) {
        const QDate day = QDate(2026, 3, 31).addDays(-back);
        if (day == QDate(2026, 3, 28))
            continue;
        for (const char *time : { "080000-daily", "210000-delete" })
            writeBytes(
                folder.filePath(QStringLiteral("ZRVTQM602941-%1-%2.db")
                                    .arg(day.toString(QStringLiteral("yyyyMMdd")), QLatin1String(time))),
                "x");
    }
    writeBytes(folder.filePath(QStringLiteral("notes.txt")), "mine");
    writeBytes(folder.filePath(QStringLiteral("ZRVTQM602941-20260331-220000-daily.db.part")), "cut");

    snapshots.thin();

    QStringList kept;
    for (const SnapshotInfo &s : snapshots.list())
        kept << s.taken.toString(QStringLiteral("MM-dd HH"));
    const QStringList expected = {
        // the last 7 days that have one (03-28 has none), the evening copy of each
        QStringLiteral("03-31 21"),
        QStringLiteral("03-30 21"),
        QStringLiteral("03-29 21"),
        QStringLiteral("03-27 21"),
        QStringLiteral("03-26 21"),
        QStringLiteral("03-25 21"),
        QStringLiteral("03-24 21"),
        // then the newest of each earlier week (ISO weeks start on Monday; 03-23 is a Monday)
        QStringLiteral("03-23 21"),
        QStringLiteral("03-22 21"),
        QStringLiteral("03-15 21"),
        QStringLiteral("03-08 21"),
    };
    EXPECT_EQ(kept, expected);
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("notes.txt"))));
    EXPECT_FALSE(
        QFile::exists(folder.filePath(QStringLiteral("ZRVTQM602941-20260331-220000-daily.db.part"))));
}

TEST(BankSnapshots, DailySnapshotsOverFiveWeeksKeepElevenAndTheNewest)
{
    TestBank bank;
    FixedClock clock(at(QStringLiteral("2026-01-01 09:00")));
    BankSnapshots snapshots(bank.path(), clock);
    for (int day = 0; day < 40; ++day) {
        addQuestions(bank, day, 1, 1);
        ASSERT_TRUE(snapshots.take(bank.db(), SnapshotReason::Daily));
        clock.advance(24 * 3600);
    }
    const QList<SnapshotInfo> kept = snapshots.list();
    EXPECT_EQ(kept.size(), 11);
    EXPECT_EQ(kept.first().taken.date(), QDate(2026, 2, 9));
    // The newest holds every question so far.
    EXPECT_EQ(BankSnapshots::answersRecorded(kept.first().path), 40);
}

TEST(BankSnapshots, RestoreBringsBackTheRowsAndKeepsTheCurrentBank)
{
    TestBank bank;
    addQuestions(bank, 0, 50, 1);
    FixedClock clock(at(QStringLiteral("2026-05-04 10:00")));
    BankSnapshots snapshots(bank.path(), clock);
    auto morning = snapshots.take(bank.db(), SnapshotReason::Daily);
    ASSERT_TRUE(morning);

    addQuestions(bank, 50, 25, 1);
    bank.exec(QStringLiteral("CREATE TABLE tab_exam7 (A1 TEXT)"));
    clock.advance(600);
    const Status restored = snapshots.restore(bank.db(), *morning);
    ASSERT_TRUE(restored) << restored.reason().toStdString();

    // The same connection goes on working on the restored content.
    EXPECT_EQ(questionCount(bank.db()), 50);
    EXPECT_FALSE(bank.db().tableExists(QStringLiteral("tab_exam7")));
    addQuestions(bank, 900, 1, 1);
    EXPECT_EQ(questionCount(bank.db()), 51);
    EXPECT_EQ(bank.scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    bank.close();
    ASSERT_TRUE(openBank(bank.path()));

    // The bank before the restore is the newest snapshot, with its 75 questions.
    const QList<SnapshotInfo> all = snapshots.list();
    ASSERT_FALSE(all.isEmpty());
    EXPECT_EQ(all.first().reason, SnapshotReason::BeforeRestore);
    EXPECT_EQ(BankSnapshots::answersRecorded(all.first().path), 75);
}

TEST(BankSnapshots, DamagedSnapshotIsNotRestoredAndTheBankStays)
{
    TestBank bank;
    addQuestions(bank, 0, 400, 1);
    FixedClock clock(at(QStringLiteral("2026-05-04 10:00")));
    BankSnapshots snapshots(bank.path(), clock);
    auto taken = snapshots.take(bank.db(), SnapshotReason::Daily);
    ASSERT_TRUE(taken);
    damageMiddle(taken->path);
    addQuestions(bank, 400, 3, 1);

    const Status restored = snapshots.restore(bank.db(), *taken);
    EXPECT_FALSE(restored);
    EXPECT_TRUE(restored.reason().contains(QStringLiteral("备份文件无法使用")))
        << restored.reason().toStdString();
    EXPECT_EQ(questionCount(bank.db()), 403);
    EXPECT_EQ(snapshots.list().size(), 1);
}

// A bank that no longer opens is set aside under another name, never deleted, together with
// its log; the newest snapshot that passes the check takes its place.
TEST(BankSnapshots, DamagedBankIsReplacedByTheNewestGoodSnapshot)
{
    TestBank bank;
    addQuestions(bank, 0, 400, 1);
    FixedClock clock(at(QStringLiteral("2026-05-01 10:00")));
    BankSnapshots snapshots(bank.path(), clock);
    ASSERT_TRUE(snapshots.take(bank.db(), SnapshotReason::Daily));
    clock.advance(24 * 3600);
    addQuestions(bank, 400, 10, 1);
    auto newest = snapshots.take(bank.db(), SnapshotReason::Daily);
    ASSERT_TRUE(newest);
    damageMiddle(newest->path);
    bank.close();
    damageMiddle(bank.path());
    ASSERT_FALSE(checkBankCopy(bank.path()));
    writeBytes(bank.path() + QStringLiteral("-wal"), "stale log");
    const QByteArray damagedBytes = readBytes(bank.path());

    const std::optional<SnapshotInfo> good = snapshots.newestGood();
    ASSERT_TRUE(good.has_value());
    EXPECT_EQ(good->taken.date(), QDate(2026, 5, 1));
    clock.advance(3600);
    const Result<QString> setAside = snapshots.replaceDamagedBank(*good);
    ASSERT_TRUE(setAside) << setAside.reason().toStdString();
    EXPECT_EQ(readBytes(*setAside), damagedBytes);
    EXPECT_EQ(readBytes(*setAside + QStringLiteral("-wal")), QByteArray("stale log"));
    EXPECT_FALSE(QFile::exists(bank.path() + QStringLiteral("-wal")));
    auto reopened = openBank(bank.path());
    ASSERT_TRUE(reopened) << reopened.reason().toStdString();
    EXPECT_EQ(questionCount(**reopened), 400);
}
