#pragma once

#include <QString>

namespace vorlane {

// The claim to be the one running copy of the program: an exclusive lock on a file, taken in
// one step (two starts at the same moment cannot both have it) and held until this object goes
// or the process ends, however it ends (the system lets go of the lock of a dead process, so a
// crash leaves nothing that blocks the next start).
class InstanceLock
{
public:
    explicit InstanceLock(QString path);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // True when this process now holds the lock (or held it already); false when another does,
    // or the file cannot be made.
    bool tryLock();
    bool isLocked() const { return m_fd >= 0; }
    const QString &path() const { return m_path; }

private:
    QString m_path;
    int m_fd = -1;
};

} // namespace vorlane
