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

    // True when another instance is running and has been asked to come to the front.
    bool activateRunningInstance(int timeoutMs = 1000);
    // Starts answering later starts; false when the name cannot be taken.
    bool listen();

signals:
    // A later start asked this instance to show itself.
    void activationRequested();

private:
    QString m_key;
    QLocalServer *m_server = nullptr;
};

// Brings the program's topmost window to the front: the open modal window if there is one,
// else the main window, restoring whatever is minimised.
void bringToFront(QWidget *mainWindow);

} // namespace vorlane::ui
