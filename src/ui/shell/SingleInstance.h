#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QWidget;

namespace vorlane {
class InstanceLock;
}

namespace vorlane::ui {

// One running program per user: a later start hands over to the running one and ends. The
// running copy is whoever holds the lock file (taken in one step, held for the program's life);
// the socket beside it only carries the request to come to the front.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // The name the instances meet under: per user; VORLANE_INSTANCE_KEY replaces it (tests).
    static QString defaultKey();

    explicit SingleInstance(QString key = defaultKey(), QObject *parent = nullptr);
    ~SingleInstance() override;

    enum class Claim {
        Running, // this process is the running copy and answers later starts
        Taken, // another copy holds the claim
        Unavailable, // no lock file can be made here: run, unguarded
    };
    Claim claim();

    // Asks the running copy to come to the front; true when it answered. A copy that holds the
    // claim but is still starting gets until the timeout to open its socket. The bank this start
    // would open goes with the request, so the running one can tell the user when it has another
    // bank open.
    bool activateRunningInstance(int timeoutMs = 1000, const QString &bankPath = QString());

    QString lockPath() const;
    QString socketPath() const;

signals:
    // A later start asked this instance to show itself; bankPath is the absolute path of the bank
    // it would have opened (empty when it did not say).
    void activationRequested(const QString &bankPath);

private:
    QString m_key;
    std::unique_ptr<InstanceLock> m_lock;
    QLocalServer *m_server = nullptr;
};

// Brings the program's topmost window to the front: the open modal window if there is one,
// else the main window, restoring whatever is minimised.
void bringToFront(QWidget *mainWindow);

} // namespace vorlane::ui
