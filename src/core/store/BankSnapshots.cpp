#include "core/store/BankSnapshots.h"

#include "core/Clock.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"
#include "core/store/StoreError.h"

#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace vorlane {

namespace {

constexpr int KeptDays = 7;
constexpr int KeptWeeks = 4;

struct ReasonName
{
    SnapshotReason reason;
    const char *tag;
};
constexpr ReasonName ReasonNames[] = {
    { SnapshotReason::Daily, "daily" },
    { SnapshotReason::BeforeDelete, "delete" },
    { SnapshotReason::BeforeUpgrade, "upgrade" },
    { SnapshotReason::BeforeRepair, "repair" },
    { SnapshotReason::BeforeRestore, "restore" },
};

QString tagOf(SnapshotReason reason)
{
    for (const ReasonName &entry : ReasonNames)
        if (entry.reason == reason)
            return QString::fromLatin1(entry.tag);
    return QStringLiteral("daily");
}

void removeWithSidecars(const QString &path)
{
    for (const char *suffix : { "", "-journal", "-wal", "-shm" })
        QFile::remove(path + QLatin1String(suffix));
}

// A rename is durable only once the folder that holds the name is on disk too.
void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool syncFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// Runs the backup API from one connection's main database into another's, all pages in one
// step, so that the destination is written in a single transaction.
Status backupPages(sqlite3 *from, sqlite3 *to)
{
    sqlite3_backup *backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        return Status::failure(QString::fromUtf8(sqlite3_errmsg(to)));
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE)
        return Status::failure(QString::fromUtf8(sqlite3_errstr(stepped)));
    if (finished != SQLITE_OK)
        return Status::failure(QString::fromUtf8(sqlite3_errmsg(to)));
    return {};
}

// Holds the bank still while its file is copied: the log folded into the file first, then a
// write lock, so that no connection (another thread's, say) adds to the log or folds it in
// during the copy. When the log is not empty once the lock is held, a writer came in between:
// the lock is let go and the fold tried again.
class StillBank
{
public:
    explicit StillBank(Database &db)
        : m_db(db)
    {
    }
    ~StillBank()
    {
        if (m_locked)
            sqlite3_exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }

    Status hold()
    {
        const QString log = m_db.path() + QStringLiteral("-wal");
        for (int attempt = 0; attempt < 5; ++attempt) {
            sqlite3_wal_checkpoint_v2(m_db.handle(), "main", SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
            // A bank that cannot be written (read-only) cannot change either; a shared lock
            // keeps out writers of other processes.
            if (sqlite3_exec(m_db.handle(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK
                && (sqlite3_exec(m_db.handle(), "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK
                    || sqlite3_exec(
                           m_db.handle(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr)
                        != SQLITE_OK))
                return Status::failure(QString::fromUtf8(sqlite3_errmsg(m_db.handle())));
            m_locked = true;
            if (QFileInfo(log).size() <= 0)
                return {};
            sqlite3_exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
            m_locked = false;
        }
        return Status::failure(QStringLiteral("题库正被使用，无法复制"));
    }

private:
    Database &m_db;
    bool m_locked = false;
};

// Writes the copy under its temporary name: the bank's file, copied while the bank is held
// still (it stays encrypted, byte for byte), then turned to a rollback journal so that the
// copy is one self-contained file that opens read-only.
Status writeCopy(Database &source, const QString &partial)
{
    {
        StillBank still(source);
        if (const Status held = still.hold(); !held)
            return held;
        if (!QFile::copy(source.path(), partial))
            return Status::failure(QStringLiteral("无法写入：%1").arg(partial));
    }
    QFile(partial).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(
        QFile::encodeName(partial).constData(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    std::unique_ptr<sqlite3, decltype(&sqlite3_close_v2)> copy(raw, &sqlite3_close_v2);
    if (rc != SQLITE_OK)
        return Status::failure(QString::fromUtf8(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc)));
    const QByteArray key = bank::password();
    if (sqlite3_key(raw, key.constData(), int(key.size())) != SQLITE_OK || !Database::pinCipherSettings(raw))
        return Status::failure(QString::fromUtf8(sqlite3_errmsg(raw)));
    char *message = nullptr;
    if (sqlite3_exec(raw, "PRAGMA journal_mode=DELETE", nullptr, nullptr, &message) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(message ? message : sqlite3_errmsg(raw));
        sqlite3_free(message);
        return Status::failure(reason);
    }
    copy.reset();
    if (!syncFile(partial))
        return Status::failure(QStringLiteral("无法写入：%1").arg(partial));
    return {};
}

QString snapshotPattern(const QString &stem)
{
    return QStringLiteral("^%1-(\\d{8}-\\d{6})-([a-z]+)(?:-(\\d+))?\\.db$")
        .arg(QRegularExpression::escape(stem));
}

} // namespace

Status copyBank(Database &source, const QString &targetPath)
{
    if (QFileInfo::exists(targetPath))
        return Status::failure(QStringLiteral("文件已存在：%1").arg(targetPath));
    const QString partial = targetPath + QStringLiteral(".part");
    removeWithSidecars(partial);
    Status written;
    try {
        written = writeCopy(source, partial);
    } catch (const StoreError &error) {
        written = Status::failure(QString(), error.detail());
    }
    if (written)
        written = checkBankCopy(partial);
    if (written && !QFile::rename(partial, targetPath))
        written = Status::failure(QStringLiteral("无法改名为：%1").arg(targetPath));
    if (!written) {
        removeWithSidecars(partial);
        return Status::failure(QStringLiteral("无法备份题库到 %1。").arg(targetPath), written.logText());
    }
    syncFolder(QFileInfo(targetPath).absolutePath());
    return {};
}

Status checkBankCopy(const QString &path)
{
    auto opened = Database::open(path, bank::password(), Database::Mode::ReadOnly);
    if (!opened)
        return opened.status();
    try {
        const QString check = (*opened)->scalar(QStringLiteral("PRAGMA quick_check(1)")).toString();
        if (check != QLatin1String("ok"))
            return Status::failure(QStringLiteral("题库文件已损坏：%1").arg(path), check);
    } catch (const StoreError &error) {
        return Status::failure(QStringLiteral("题库文件已损坏：%1").arg(path), error.detail());
    }
    return checkBankTables(**opened);
}

// ---- BankSnapshots --------------------------------------------------------------------------

BankSnapshots::BankSnapshots(QString bankPath, const Clock &clock)
    : m_bankPath(std::move(bankPath))
    , m_clock(clock)
{
}

QString BankSnapshots::folder() const
{
    return QFileInfo(m_bankPath).absoluteDir().filePath(QStringLiteral("snapshots"));
}

Result<QString> BankSnapshots::newSnapshotPath(SnapshotReason reason) const
{
    if (!QDir().mkpath(folder()))
        return Result<QString>::failure(QStringLiteral("无法建立备份文件夹：%1").arg(folder()));
    const QString base = QStringLiteral("%1-%2-%3")
                             .arg(QFileInfo(m_bankPath).completeBaseName(),
                                 m_clock.now().toString(QStringLiteral("yyyyMMdd-HHmmss")), tagOf(reason));
    // Two in the same second (a quick second deletion) each keep their own file.
    QString path = QDir(folder()).filePath(base + QStringLiteral(".db"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(folder()).filePath(QStringLiteral("%1-%2.db").arg(base).arg(n));
    return path;
}

Result<SnapshotInfo> BankSnapshots::take(Database &db, SnapshotReason reason)
{
    const Result<QString> path = newSnapshotPath(reason);
    if (!path)
        return path.status();
    if (const Status copied = copyBank(db, *path); !copied)
        return copied;
    thin(*path);
    const QDateTime now = m_clock.now();
    SnapshotInfo info;
    info.path = *path;
    info.taken = QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()));
    info.reason = reason;
    info.size = QFileInfo(*path).size();
    return info;
}

bool BankSnapshots::takenToday() const
{
    const QDate today = m_clock.today();
    const QList<SnapshotInfo> all = list();
    return std::any_of(
        all.cbegin(), all.cend(), [&](const SnapshotInfo &s) { return s.taken.date() == today; });
}

QList<SnapshotInfo> BankSnapshots::list() const
{
    const QRegularExpression form(snapshotPattern(QFileInfo(m_bankPath).completeBaseName()));
    struct Found
    {
        SnapshotInfo info;
        int sequence;
    };
    QList<Found> found;
    const QFileInfoList files = QDir(folder()).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &file : files) {
        const QRegularExpressionMatch match = form.match(file.fileName());
        if (!match.hasMatch())
            continue;
        const QDateTime taken = QDateTime::fromString(match.captured(1), QStringLiteral("yyyyMMdd-HHmmss"));
        const auto name = std::find_if(std::begin(ReasonNames), std::end(ReasonNames),
            [&](const ReasonName &entry) { return match.captured(2) == QLatin1String(entry.tag); });
        if (!taken.isValid() || name == std::end(ReasonNames))
            continue;
        found.append({ SnapshotInfo { file.absoluteFilePath(), taken, name->reason, file.size() },
            match.captured(3).isEmpty() ? 1 : match.captured(3).toInt() });
    }
    std::sort(found.begin(), found.end(), [](const Found &a, const Found &b) {
        return a.info.taken != b.info.taken ? a.info.taken > b.info.taken : a.sequence > b.sequence;
    });
    QList<SnapshotInfo> snapshots;
    for (const Found &entry : found)
        snapshots.append(entry.info);
    return snapshots;
}

qint64 BankSnapshots::answersRecorded(const QString &snapshotPath)
{
    auto opened = Database::open(snapshotPath, bank::password(), Database::Mode::ReadOnly);
    if (!opened)
        return -1;
    try {
        return (*opened)->scalar(QStringLiteral("SELECT coalesce(sum(E3), 0) FROM tab_answ")).toLongLong();
    } catch (const StoreError &) {
        return -1;
    }
}

std::optional<SnapshotInfo> BankSnapshots::newestGood() const
{
    for (const SnapshotInfo &snapshot : list())
        if (checkBankCopy(snapshot.path))
            return snapshot;
    return std::nullopt;
}

int BankSnapshots::thin(const QString &keep)
{
    QSet<QDate> days;
    QSet<int> weeks;
    int deleted = 0;
    for (const SnapshotInfo &snapshot : list()) {
        const QDate day = snapshot.taken.date();
        int year = 0;
        const int week = day.weekNumber(&year);
        bool kept = false;
        if (!days.contains(day) && days.size() < KeptDays) {
            days.insert(day);
            kept = true;
        } else if (!days.contains(day) && !weeks.contains(year * 100 + week) && weeks.size() < KeptWeeks) {
            weeks.insert(year * 100 + week);
            kept = true;
        }
        if (kept || snapshot.path == keep)
            continue;
        if (QFile::remove(snapshot.path))
            ++deleted;
    }
    // A copy that was cut short (the program ended during it) is of no use to anyone.
    const QStringList partials = QDir(folder()).entryList({ QStringLiteral("*.db.part") }, QDir::Files);
    for (const QString &name : partials)
        QFile::remove(QDir(folder()).filePath(name));
    return deleted;
}

Status BankSnapshots::restore(Database &db, const SnapshotInfo &snapshot)
{
    if (const Status checked = checkBankCopy(snapshot.path); !checked)
        return Status::failure(
            QStringLiteral("备份文件无法使用：%1").arg(checked.reason()), checked.detail());
    // The bank as it is now, so that the restore itself can be undone. Not thinned yet: that
    // could take the very snapshot being restored.
    const Result<QString> beforePath = newSnapshotPath(SnapshotReason::BeforeRestore);
    if (!beforePath)
        return beforePath.status();
    if (const Status kept = copyBank(db, *beforePath); !kept)
        return kept;

    auto source = Database::open(snapshot.path, bank::password(), Database::Mode::ReadOnly);
    if (!source)
        return source.status();
    if (const Status copied = backupPages((*source)->handle(), db.handle()); !copied)
        return Status::failure(QStringLiteral("恢复失败，题库没有改变。"), copied.logText());
    source.value().reset();
    try {
        // The copied header names the snapshot's journal; the bank keeps its own.
        if (db.scalar(QStringLiteral("PRAGMA journal_mode"))
                .toString()
                .compare(QLatin1String("wal"), Qt::CaseInsensitive)
            != 0)
            db.execScript(QStringLiteral("PRAGMA journal_mode=WAL"));
    } catch (const StoreError &) {
        // The restored content is complete either way; the journal only affects speed.
    }
    thin(*beforePath);
    return {};
}

Result<QString> BankSnapshots::replaceDamagedBank(const SnapshotInfo &snapshot)
{
    if (const Status checked = checkBankCopy(snapshot.path); !checked)
        return Result<QString>::failure(
            QStringLiteral("备份文件无法使用：%1").arg(checked.reason()), checked.detail());
    const QString damaged = QStringLiteral("%1.damaged-%2")
                                .arg(m_bankPath, m_clock.now().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    const QString partial = m_bankPath + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(snapshot.path, partial) || !syncFile(partial)) {
        QFile::remove(partial);
        return Result<QString>::failure(QStringLiteral("无法复制备份文件到：%1").arg(partial));
    }
    QFile(partial).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    // The damaged bank's log files go with it: replayed onto the restored file they would
    // damage it again.
    if (QFileInfo::exists(m_bankPath) && !QFile::rename(m_bankPath, damaged)) {
        QFile::remove(partial);
        return Result<QString>::failure(QStringLiteral("无法改名：%1").arg(m_bankPath));
    }
    for (const char *suffix : { "-wal", "-shm", "-journal" })
        if (QFileInfo::exists(m_bankPath + QLatin1String(suffix)))
            QFile::rename(m_bankPath + QLatin1String(suffix), damaged + QLatin1String(suffix));
    if (!QFile::rename(partial, m_bankPath)) {
        QFile::rename(damaged, m_bankPath);
        QFile::remove(partial);
        return Result<QString>::failure(QStringLiteral("无法改名为：%1").arg(m_bankPath));
    }
    syncFolder(QFileInfo(m_bankPath).absolutePath());
    return damaged;
}

QString BankSnapshots::reasonText(SnapshotReason reason)
{
    switch (reason) {
    case SnapshotReason::Daily:
        return QStringLiteral("每日备份");
    case SnapshotReason::BeforeDelete:
        return QStringLiteral("删除试卷前");
    case SnapshotReason::BeforeUpgrade:
        return QStringLiteral("升级题库前");
    case SnapshotReason::BeforeRepair:
        return QStringLiteral("修复数据前");
    case SnapshotReason::BeforeRestore:
        return QStringLiteral("恢复备份前");
    }
    return {};
}

} // namespace vorlane
