#include "core/store/BankStartup.h"

#include "core/store/BankFiles.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"
#include "core/store/StoreError.h"

#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace vorlane {

namespace {

BankOpening refused(BankRefusal::Kind kind, const QString &reason, const QString &detail = {})
{
    BankOpening opening;
    opening.refusal = { kind, reason, detail.isEmpty() ? reason : detail };
    return opening;
}

} // namespace

QString BankRefusal::advice() const
{
    switch (kind) {
    case Kind::Missing:
    case Kind::NotABank:
    case Kind::Damaged:
        return QStringLiteral("可以恢复一个自动备份的题库，或重新安装本软件。");
    case Kind::ReadOnly:
        return QStringLiteral("请检查题库文件及其文件夹的权限，使它们可以写入。");
    case Kind::Locked:
        return QStringLiteral("请关闭正在使用题库的其他程序后再运行本软件。");
    case Kind::DiskFull:
        return QStringLiteral("请腾出一些磁盘空间后再运行本软件。");
    case Kind::Newer:
        return QStringLiteral("请使用新版本的本软件。");
    case Kind::Other:
        break;
    }
    return QStringLiteral("请稍后再试；如果问题依旧，请重新安装本软件。");
}

QString BankRefusal::message() const
{
    return QStringLiteral("无法连接数据库！\n\n%1\n\n%2").arg(reason, advice());
}

BankRefusal::Kind refusalKindOf(const QString &reason)
{
    using Kind = BankRefusal::Kind;
    if (reason.contains(QStringLiteral("找不到题库文件")))
        return Kind::Missing;
    if (reason.contains(QStringLiteral("较新版本")))
        return Kind::Newer;
    if (reason.contains(QStringLiteral("不是题库文件")) || reason.contains(QStringLiteral("密码不符")))
        return Kind::NotABank;
    if (reason.contains(QStringLiteral("已损坏")))
        return Kind::Damaged;
    if (reason.contains(QLatin1String("locked"), Qt::CaseInsensitive))
        return Kind::Locked;
    if (reason.contains(QLatin1String("readonly"), Qt::CaseInsensitive)
        || reason.contains(QLatin1String("read-only"), Qt::CaseInsensitive))
        return Kind::ReadOnly;
    if (reason.contains(QLatin1String("disk is full"), Qt::CaseInsensitive))
        return Kind::DiskFull;
    return Kind::Other;
}

BankOpening openBankForWork(const BankLocation &location, const QString &appDir)
{
    using Kind = BankRefusal::Kind;
    if (const Status seeded = seedBankIfMissing(location, appDir); !seeded)
        return refused(Kind::Missing, seeded.reason());
    const QFileInfo file(location.path);
    if (file.isDir())
        return refused(
            Kind::Missing, QStringLiteral("题库的位置上是一个文件夹，不是题库文件：%1").arg(location.path));
    if (!file.exists())
        return refused(Kind::Missing, QStringLiteral("找不到题库文件：%1").arg(location.path));
    // Decided before anything opens the file: a bank that cannot be written would pass the
    // checks and then fail at the first answer (or, in the old journal, fail half-way here).
    if (!file.isWritable())
        return refused(Kind::ReadOnly, QStringLiteral("题库文件是只读的，不能写入：%1").arg(location.path));
    const QString folder = file.absolutePath();
    if (!QFileInfo(folder).isWritable())
        return refused(Kind::ReadOnly, QStringLiteral("题库所在的文件夹不能写入：%1").arg(folder));
    const QStorageInfo storage(folder);
    if (storage.isValid() && storage.isReadOnly())
        return refused(Kind::ReadOnly, QStringLiteral("题库所在的磁盘是只读的：%1").arg(folder));
    if (storage.isValid() && storage.bytesAvailable() >= 0 && storage.bytesAvailable() < MinimumFreeBytes)
        return refused(Kind::DiskFull,
            QStringLiteral("题库所在的磁盘已满（只剩 %1 KB）：%2")
                .arg(storage.bytesAvailable() / 1024)
                .arg(folder));

    auto opened = openBank(location.path);
    if (!opened) {
        const Kind kind = refusalKindOf(opened.reason());
        // The store's second line may be the engine's own words; the user gets a sentence.
        QString reason = opened.reason().section(QLatin1Char('\n'), 0, 0);
        if (kind == Kind::NotABank)
            reason
                = QStringLiteral("这不是本软件的题库文件，或者密码不符、文件已损坏：%1").arg(location.path);
        else if (kind == Kind::Damaged)
            reason = QStringLiteral("题库文件已损坏：%1").arg(location.path);
        else if (kind == Kind::Newer)
            reason = opened.reason();
        else if (kind == Kind::Locked)
            reason = QStringLiteral("题库正被另一个程序使用：%1").arg(location.path);
        else if (kind == Kind::ReadOnly)
            reason = QStringLiteral("题库文件不能写入：%1").arg(location.path);
        else if (kind == Kind::DiskFull)
            reason = QStringLiteral("题库所在的磁盘已满：%1").arg(folder);
        return refused(kind, reason, opened.reason());
    }
    std::shared_ptr<Database> db = *opened;
    // A write lock, taken and let go: another program that holds the bank is waited for (the
    // busy timeout) and then named, instead of failing every answer later.
    const int rc = sqlite3_exec(db->handle(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const QString detail = db->lastError();
        const int code = rc & 0xff;
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
            return refused(
                Kind::Locked, QStringLiteral("题库正被另一个程序使用：%1").arg(location.path), detail);
        if (code == SQLITE_READONLY)
            return refused(Kind::ReadOnly, QStringLiteral("题库文件不能写入：%1").arg(location.path), detail);
        return refused(Kind::Other, QStringLiteral("无法写入题库文件：%1").arg(location.path), detail);
    }
    sqlite3_exec(db->handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    BankOpening opening;
    opening.db = db;
    return opening;
}

} // namespace vorlane
