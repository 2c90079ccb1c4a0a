#pragma once

#include "core/Status.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

namespace vorlane {

class Clock;
class Database;

// Copies an open bank to targetPath, a file that must not exist yet: the bank's log is folded
// into its file and the file copied while a lock keeps writers out (the copy stays encrypted
// with the bank password). The copy is written under a temporary name, opened and checked, and
// only then renamed, so that nothing half-copied ever carries the final name. It is a single
// file (rollback journal), readable without its folder being writable. Call it outside any
// open transaction of the source connection. Safe from any thread with its own connection.
Status copyBank(Database &source, const QString &targetPath);

// Opens a copy read-only and checks it as a bank: key, every page (quick_check) and the
// fixed tables. Writes nothing.
Status checkBankCopy(const QString &path);

// Why a snapshot was taken; part of its file name, so the list can say it.
enum class SnapshotReason { Daily, BeforeDelete, BeforeUpgrade, BeforeRepair, BeforeRestore };

struct SnapshotInfo
{
    QString path;
    QDateTime taken;
    SnapshotReason reason = SnapshotReason::Daily;
    qint64 size = 0;
};

// The dated copies of one bank, kept in the folder "snapshots" beside it and thinned to the
// newest of each of the last 7 days that have one and of each of the 4 weeks before those.
// The clock dates the copies and decides what "today" is.
class BankSnapshots
{
public:
    BankSnapshots(QString bankPath, const Clock &clock);

    QString folder() const;

    // Copies the bank, checks the copy and thins the folder. The new snapshot is never
    // thinned away by its own call.
    Result<SnapshotInfo> take(Database &db, SnapshotReason reason);
    // Whether a snapshot of any reason is already dated today.
    bool takenToday() const;

    // Newest first; names that are not snapshots of this bank are left out.
    QList<SnapshotInfo> list() const;
    // Recorded answers in a snapshot (the sum of the questions' answer counts), or -1 when it
    // cannot be read.
    static qint64 answersRecorded(const QString &snapshotPath);
    // The newest snapshot that passes checkBankCopy, if any.
    std::optional<SnapshotInfo> newestGood() const;

    // Deletes what the rule no longer keeps, never `keep`; returns how many were deleted.
    int thin(const QString &keep = {});

    // Puts a snapshot's content into the open bank: the snapshot is checked first, the bank as
    // it is now is kept as a snapshot of its own, then the pages are copied in one write
    // transaction of the open connection, so a failure leaves the bank as it was.
    Status restore(Database &db, const SnapshotInfo &snapshot);

    // For a bank that no longer opens: the damaged file is renamed beside itself (never
    // deleted; its new name is returned) and the snapshot is copied in under the bank's name.
    Result<QString> replaceDamagedBank(const SnapshotInfo &snapshot);

    static QString reasonText(SnapshotReason reason);

private:
    // A free name in the folder, dated by the clock; made if needed.
    Result<QString> newSnapshotPath(SnapshotReason reason) const;

    QString m_bankPath;
    const Clock &m_clock;
};

} // namespace vorlane
