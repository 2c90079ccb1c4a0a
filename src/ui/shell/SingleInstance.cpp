#include "ui/shell/SingleInstance.h"

#include "core/InstanceLock.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>

#include <memory>

#include <unistd.h>

namespace vorlane::ui {

QString SingleInstance::defaultKey()
{
    const QString forced = qEnvironmentVariable("VORLANE_INSTANCE_KEY");
    if (!forced.isEmpty())
        return forced;
    return QStringLiteral("vorlane-%1").arg(::getuid());
}

SingleInstance::SingleInstance(QString key, QObject *parent)
    : QObject(parent)
    , m_key(std::move(key))
{
}

SingleInstance::~SingleInstance()
{
    // The socket goes first, so that nobody finds it while the claim is already free.
    delete m_server;
    m_server = nullptr;
}

QString SingleInstance::lockPath() const
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(m_key + QStringLiteral(".lock"));
}

QString SingleInstance::socketPath() const
{
    return lockPath().chopped(5) + QStringLiteral(".socket");
}

SingleInstance::Claim SingleInstance::claim()
{
    if (!m_lock)
        m_lock = std::make_unique<InstanceLock>(lockPath());
    if (!m_lock->tryLock())
        return QFile::exists(lockPath()) ? Claim::Taken : Claim::Unavailable;
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket *peer = m_server->nextPendingConnection()) {
                // Read when the line is complete; a peer that leaves without one still asked.
                auto answered = std::make_shared<bool>(false);
                const auto read = [this, peer, answered] {
                    if (*answered || (!peer->canReadLine() && peer->state() == QLocalSocket::ConnectedState))
                        return;
                    *answered = true;
                    const QByteArray line = peer->readLine().trimmed();
                    const qsizetype space = line.indexOf(' ');
                    emit activationRequested(space < 0
                            ? QString()
                            : QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(space + 1))));
                };
                connect(peer, &QLocalSocket::readyRead, this, read);
                connect(peer, &QLocalSocket::disconnected, this, [peer, read] {
                    read();
                    peer->deleteLater();
                });
                read();
            }
        });
    }
    // Holding the claim, any socket there is left over from a copy that did not end cleanly.
    QLocalServer::removeServer(socketPath());
    m_server->listen(socketPath());
    return Claim::Running;
}

bool SingleInstance::activateRunningInstance(int timeoutMs, const QString &bankPath)
{
    // One line; the path is percent-encoded, as a file name may hold a line break.
    QByteArray request("activate");
    if (!bankPath.isEmpty())
        request += ' ' + QFileInfo(bankPath).absoluteFilePath().toUtf8().toPercentEncoding("/");
    const QDeadlineTimer deadline(timeoutMs);
    do {
        QLocalSocket socket;
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(int(std::max<qint64>(deadline.remainingTime(), 1)))) {
            socket.write(request + '\n');
            socket.waitForBytesWritten(timeoutMs);
            socket.disconnectFromServer();
            if (socket.state() != QLocalSocket::UnconnectedState)
                socket.waitForDisconnected(timeoutMs);
            return true;
        }
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return false;
}

void bringToFront(QWidget *mainWindow)
{
    if (mainWindow && mainWindow->isMinimized())
        mainWindow->setWindowState(mainWindow->windowState() & ~Qt::WindowMinimized);
    QWidget *target = QApplication::activeModalWidget();
    if (!target)
        target = mainWindow;
    if (!target)
        return;
    if (target->isMinimized())
        target->setWindowState(target->windowState() & ~Qt::WindowMinimized);
    target->show();
    target->raise();
    target->activateWindow();
}

} // namespace vorlane::ui
