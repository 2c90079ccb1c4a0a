#pragma once

#include <QObject>

class QSocketNotifier;

namespace vorlane::ui {

// Ending the session any way records what closing the windows records: SIGTERM, SIGHUP and
// SIGINT, and the desktop's logout (session management), close the open windows from the
// innermost out, as the user would, so the answer on screen and the time of a practice window
// are kept; then the program quits.
class SessionEnd : public QObject
{
    Q_OBJECT

public:
    explicit SessionEnd(QObject *parent = nullptr);
    ~SessionEnd() override;

    // Closes every open modal window, innermost first, and quits. Safe to call twice.
    static void closeWindowsAndQuit();

private:
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace vorlane::ui
