#pragma once

#include <QObject>
#include <QString>

class QThread;

namespace vorlane {
class Clock;
}

namespace vorlane::ui {

// The first start of a day copies the bank to a dated snapshot, on a thread of its own with a
// connection of its own, so the menu shows without waiting for it. The program waits for a
// copy under way before it ends.
class DailySnapshot : public QObject
{
    Q_OBJECT

public:
    DailySnapshot(QString bankPath, const Clock &clock, QObject *parent = nullptr);
    ~DailySnapshot() override;

    // Starts the copy when no snapshot is dated today yet.
    void startIfDue();
    void wait();

signals:
    // The copy ended: ok, and where it went or why it failed.
    void finished(bool ok, const QString &pathOrReason);

private:
    QString m_bankPath;
    const Clock &m_clock;
    QThread *m_thread = nullptr;
};

} // namespace vorlane::ui
