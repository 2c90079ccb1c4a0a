#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QWidget;

namespace vorlane::ui {

// One running program per user: a later start hands over to the running one and ends.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // The name the instances meet under: per user; VORLANE_INSTANCE_KEY replaces it (tests).
    static QString defaultKey();

    explicit SingleInstance(QString key = defaultKey(), QObject *parent = nullptr);

    // True when another instance is running and has been asked to come to the front. The bank
    // this start would open goes with the request, so the running one can tell the user when
    // it has another bank open.
    bool activateRunningInstance(int timeoutMs = 1000, const QString &bankPath = QString());
    // Starts answering later starts; false when the name cannot be taken.
    bool listen();

signals:
    // A later start asked this instance to show itself; bankPath is the absolute path of the bank
    // it would have opened (empty when it did not say).
    void activationRequested(const QString &bankPath);

private:
    QString m_key;
    QLocalServer *m_server = nullptr;
};

// Brings the program's topmost window to the front: the open modal window if there is one,
// else the main window, restoring whatever is minimised.
void bringToFront(QWidget *mainWindow);

} // namespace vorlane::ui
