#include "ui/maintenance/SessionEnd.h"

#include "core/log/Logging.h"

#include <QApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace vorlane::ui {

namespace {

int g_signalPipe[2] = { -1, -1 };

// Only what a signal handler may do: one byte down the pipe; the rest runs in the event loop.
void onSignal(int number)
{
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

} // namespace

SessionEnd::SessionEnd(QObject *parent)
    : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) == 0) {
        m_notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [] {
            char byte = 0;
            [[maybe_unused]] const ssize_t read = ::read(g_signalPipe[0], &byte, 1);
            qCInfo(lcUi) << "ending on signal" << int(byte);
            closeWindowsAndQuit();
        });
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int number : { SIGTERM, SIGHUP, SIGINT })
            sigaction(number, &action, nullptr);
    }
    // Logging out: the desktop asks the program to save; it cannot say no, so it saves by
    // closing, as for a signal.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [](QSessionManager &) {
        qCInfo(lcUi) << "ending with the desktop session";
        closeWindowsAndQuit();
    });
}

SessionEnd::~SessionEnd()
{
    for (const int number : { SIGTERM, SIGHUP, SIGINT })
        std::signal(number, SIG_DFL);
    for (int &fd : g_signalPipe)
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
}

void SessionEnd::closeWindowsAndQuit()
{
    // Each close runs the window's own closing (recording the answer shown, adding its time);
    // a window that opens another on its way out (a box) is closed in the next round. The count
    // only keeps a window that refuses to close from holding the program forever.
    for (int round = 0; round < 32; ++round) {
        QWidget *window = QApplication::activeModalWidget();
        if (!window)
            break;
        window->close();
        if (window->isVisible())
            window->hide();
        // Let the runner that showed it return, so the opener's code after it runs.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    // quit, not exit: quit closes every window still open, and a window's close is what records.
    QCoreApplication::quit();
}

} // namespace vorlane::ui
