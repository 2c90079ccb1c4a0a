#include "ui/shell/SingleInstance.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

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

bool SingleInstance::activateRunningInstance(int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(m_key);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write("activate\n");
    socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(timeoutMs);
    return true;
}

bool SingleInstance::listen()
{
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket *peer = m_server->nextPendingConnection()) {
                connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
                emit activationRequested();
            }
        });
    }
    if (m_server->listen(m_key))
        return true;
    // Nobody answered before, so the name is left over from a program that did not end cleanly.
    QLocalServer::removeServer(m_key);
    return m_server->listen(m_key);
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
