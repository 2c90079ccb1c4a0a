#include "ui/maintenance/DailySnapshot.h"

#include "core/log/Logging.h"
#include "core/store/BankSnapshots.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"

#include <QThread>

namespace vorlane::ui {

DailySnapshot::DailySnapshot(QString bankPath, const Clock &clock, QObject *parent)
    : QObject(parent)
    , m_bankPath(std::move(bankPath))
    , m_clock(clock)
{
}

DailySnapshot::~DailySnapshot()
{
    wait();
}

void DailySnapshot::startIfDue()
{
    if (m_thread || BankSnapshots(m_bankPath, m_clock).takenToday())
        return;
    m_thread = QThread::create([this] {
        // A connection of this thread's own: SQLite connections are not shared across threads.
        auto db = Database::open(m_bankPath, bank::password());
        if (!db) {
            emit finished(false, db.reason());
            return;
        }
        const Result<SnapshotInfo> taken
            = BankSnapshots(m_bankPath, m_clock).take(**db, SnapshotReason::Daily);
        if (taken)
            qCInfo(lcStore).noquote() << "daily snapshot:" << taken->path;
        else
            qCWarning(lcStore).noquote() << "daily snapshot failed:" << taken.status().logText();
        emit finished(taken.ok(), taken ? taken->path : taken.reason());
    });
    m_thread->setParent(this);
    m_thread->start(QThread::LowPriority);
}

void DailySnapshot::wait()
{
    if (m_thread)
        m_thread->wait();
}

} // namespace vorlane::ui
