#include "TestBank.h"

#include "core/log/Logging.h"
#include "core/log/MessageLog.h"
#include "core/store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace vorlane;
using vorlane::test::TestBank;

namespace {

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

TEST(StatusResult, FailureKeepsTheUsersSentenceAndTheDetailApart)
{
    const Result<int> failed
        = Result<int>::failure(QStringLiteral("保存失败！"), QStringLiteral("disk I/O error"));
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.reason(), QStringLiteral("保存失败！"));
    EXPECT_EQ(failed.detail(), QStringLiteral("disk I/O error"));
    EXPECT_TRUE(failed.status().logText().contains(QStringLiteral("disk I/O error")));
    const Result<int> fine = 7;
    ASSERT_TRUE(fine);
    EXPECT_EQ(fine.value(), 7);
}

// A Result made from an ok Status has no value; it must never pass as a failure without a reason.
TEST(StatusResultDeathTest, ResultFromAnOkStatusIsNeverASilentFailure)
{
#ifdef QT_NO_DEBUG
    const Result<int> made { Status() };
    ASSERT_FALSE(made);
    EXPECT_FALSE(made.reason().isEmpty());
#else
    EXPECT_DEATH({ Result<int> made { Status() }; }, "ok Status");
#endif
}

TEST(StatusResultDeathTest, ValueOfAFailureStopsTheProgram)
{
    const Result<int> failed = Result<int>::failure(QStringLiteral("没有"));
    EXPECT_DEATH((void)failed.value(), "value\\(\\) read on a failure");
}

// A write that fails inside the store reaches the user as a sentence of the program's own, saying
// nothing was kept; SQLite's words and the statement go to the log file.
TEST(StoreFailure, FailedWriteGivesASentenceAndLogsTheStatement)
{
    TestBank bank;
    bank.exec(QStringLiteral("CREATE TEMP TRIGGER fail_rz BEFORE INSERT ON tab_rz "
                             "BEGIN SELECT RAISE(ABORT, 'injected failure'); END"));
    QTemporaryDir logDir;
    Status failed;
    {
        const MessageLog log(logDir.path());
        try {
            Transaction transaction(bank.db());
            bank.exec(QStringLiteral("INSERT INTO tab_rz (A1) VALUES ('2026-12-10')"));
            transaction.commit();
        } catch (const StoreError &error) {
            failed = storeFailure(error, StoreAction::Write);
        }
    }
    ASSERT_FALSE(failed);
    EXPECT_TRUE(failed.reason().contains(QStringLiteral("没有保存"))) << failed.reason().toStdString();
    EXPECT_FALSE(failed.reason().contains(QStringLiteral("INSERT")));
    EXPECT_TRUE(failed.detail().contains(QStringLiteral("injected failure")));
    EXPECT_TRUE(failed.detail().contains(QStringLiteral("INSERT INTO tab_rz")));
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT count(*) FROM tab_rz")).toInt(), 0);

    const QString logged = readText(QDir(logDir.path()).filePath(QStringLiteral("vorlane.log")));
    EXPECT_TRUE(logged.contains(QStringLiteral("warning vorlane.store: ")));
    EXPECT_TRUE(logged.contains(QStringLiteral("INSERT INTO tab_rz"))) << logged.toStdString();
}

TEST(StoreFailure, SentenceSaysWhatHappenedAndWhetherAnythingWasLost)
{
    const struct
    {
        StoreError::Kind kind;
        StoreAction action;
        const char *happened;
        const char *consequence;
    } cases[] = {
        { StoreError::Kind::DiskFull, StoreAction::Write, "磁盘空间已满", "没有保存" },
        { StoreError::Kind::ReadOnly, StoreAction::Write, "不能写入", "没有保存" },
        { StoreError::Kind::Damaged, StoreAction::Read, "已损坏", "题库没有改动" },
        { StoreError::Kind::Other, StoreAction::Read, "读写题库时出错", "题库没有改动" },
    };
    for (const auto &c : cases) {
        const QString sentence = storeFailureSentence(c.kind, c.action);
        EXPECT_TRUE(sentence.contains(QString::fromUtf8(c.happened))) << sentence.toStdString();
        EXPECT_TRUE(sentence.contains(QString::fromUtf8(c.consequence))) << sentence.toStdString();
    }
}

TEST(MessageLog, FileIsRotatedBySizeKeepingAFew)
{
    QTemporaryDir dir;
    RotatingLogFile file(dir.path(), 100, 2);
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(
            file.append(QStringLiteral("line %1 ").arg(i, 2, 10, QLatin1Char('0')) + QString(30, u'x')));
    const QStringList names = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(names,
        QStringList({ QStringLiteral("vorlane.log"), QStringLiteral("vorlane.log.1"),
            QStringLiteral("vorlane.log.2") }));
    for (const QString &name : names)
        EXPECT_LE(QFile(QDir(dir.path()).filePath(name)).size(), 100);
    // The newest lines are in the current file, the ones before in .1.
    EXPECT_TRUE(readText(file.path()).contains(QStringLiteral("line 19")));
    EXPECT_TRUE(readText(file.path() + QStringLiteral(".1")).contains(QStringLiteral("line 17")));
    EXPECT_FALSE(readText(file.path() + QStringLiteral(".2")).contains(QStringLiteral("line 00")));
}

TEST(MessageLog, LinesCarryTimeLevelAndCategory)
{
    const QString line = MessageLog::format(QDateTime(QDate(2026, 12, 10), QTime(9, 5, 1, 20)), QtWarningMsg,
        "vorlane.store", QStringLiteral("第一行\n第二行"));
    EXPECT_EQ(line, QStringLiteral("2026-12-10T09:05:01.020 warning vorlane.store: 第一行\n    第二行"));
}

TEST(MessageLog, TestsNeverWriteToTheUsersStateFolder)
{
    QStandardPaths::setTestModeEnabled(true);
    const QString dir = defaultLogDirectory();
    EXPECT_FALSE(dir.startsWith(QDir::homePath() + QStringLiteral("/.local/state")));
    EXPECT_TRUE(dir.contains(QStringLiteral("qttest"))) << dir.toStdString();
}
