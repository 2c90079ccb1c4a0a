#include "ui/shell/SingleInstance.h"

#include <QApplication>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
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

bool SingleInstance::activateRunningInstance(int timeoutMs, const QString &bankPath)
{
    QLocalSocket socket;
    socket.connectToServer(m_key);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    // One line; the path is percent-encoded, as a file name may hold a line break.
    QByteArray request("activate");
    if (!bankPath.isEmpty())
        request += ' ' + QFileInfo(bankPath).absoluteFilePath().toUtf8().toPercentEncoding("/");
    socket.write(request + '\n');
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
