#pragma once

#include <QFile>
#include <QMutex>
#include <QString>
#include <QtGlobal>

class QDateTime;

namespace vorlane {

// An append-only text file that is rotated by size: when a line would take it past the limit,
// vorlane.log becomes vorlane.log.1 (.1 becomes .2, …) and the oldest beyond `keep` is removed.
class RotatingLogFile
{
public:
    explicit RotatingLogFile(QString directory, qint64 maxBytes = 1024 * 1024, int keep = 3);

    // Writes one line (a line break is added); false when the file cannot be written.
    bool append(const QString &line);
    QString path() const;

private:
    void rotate();

    QString m_directory;
    qint64 m_maxBytes;
    int m_keep;
    QFile m_file;
};

// Where the program keeps its log: the XDG state folder ($XDG_STATE_HOME or ~/.local/state) under
// the application's name. In QStandardPaths' test mode, the test location of the local data folder,
// so tests never write to the user's folders.
QString defaultLogDirectory();

// Sends every Qt message (qCWarning(lcStore) and Qt's own) to a rotating log file while it
// lives, and on to the handler that was there before (the terminal). One per program, made in
// main(); a message handler is process-wide by nature.
class MessageLog
{
public:
    explicit MessageLog(const QString &directory, qint64 maxBytes = 1024 * 1024, int keep = 3);
    ~MessageLog();
    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;

    QString path() const { return m_file.path(); }

    // One line of the log: time, level, category, the message (continuation lines indented).
    static QString format(
        const QDateTime &time, QtMsgType type, const char *category, const QString &message);

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message);

    QMutex m_mutex;
    RotatingLogFile m_file;
    QtMessageHandler m_previous = nullptr;
};

} // namespace vorlane
