#include "core/log/MessageLog.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>

namespace vorlane {

namespace {

const QString FileName = QStringLiteral("vorlane.log");

MessageLog *activeLog = nullptr;

const char *levelName(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return "debug";
    case QtInfoMsg:
        return "info";
    case QtWarningMsg:
        return "warning";
    case QtCriticalMsg:
        return "critical";
    case QtFatalMsg:
        return "fatal";
    }
    return "?";
}

} // namespace

// ---- RotatingLogFile --------------------------------------------------------------------------

RotatingLogFile::RotatingLogFile(QString directory, qint64 maxBytes, int keep)
    : m_directory(std::move(directory))
    , m_maxBytes(maxBytes)
    , m_keep(keep)
{
    m_file.setFileName(QDir(m_directory).filePath(FileName));
}

QString RotatingLogFile::path() const
{
    return m_file.fileName();
}

bool RotatingLogFile::append(const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    if (!m_file.isOpen()) {
        // The folder may have been removed since the last line; make it again.
        if (!QDir().mkpath(m_directory) || !m_file.open(QIODevice::WriteOnly | QIODevice::Append))
            return false;
    }
    if (m_file.size() > 0 && m_file.size() + bytes.size() > m_maxBytes) {
        rotate();
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append))
            return false;
    }
    // Flushed at once: the line that matters most is the one written just before a crash.
    return m_file.write(bytes) == bytes.size() && m_file.flush();
}

void RotatingLogFile::rotate()
{
    m_file.close();
    const QDir dir(m_directory);
    const QString base = dir.filePath(FileName);
    QFile::remove(base + QStringLiteral(".%1").arg(m_keep));
    for (int n = m_keep - 1; n >= 1; --n)
        QFile::rename(base + QStringLiteral(".%1").arg(n), base + QStringLiteral(".%1").arg(n + 1));
    if (m_keep > 0)
        QFile::rename(base, base + QStringLiteral(".1"));
    else
        QFile::remove(base);
}

// ---- MessageLog -------------------------------------------------------------------------------

QString defaultLogDirectory()
{
    if (QStandardPaths::isTestModeEnabled())
        return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // XDG ignores a relative XDG_STATE_HOME as invalid; so do we, and fall back to the default.
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir(state).filePath(QCoreApplication::applicationName());
}

MessageLog::MessageLog(const QString &directory, qint64 maxBytes, int keep)
    : m_file(directory, maxBytes, keep)
{
    activeLog = this;
    m_previous = qInstallMessageHandler(&MessageLog::handle);
}

MessageLog::~MessageLog()
{
    qInstallMessageHandler(m_previous);
    activeLog = nullptr;
}

QString MessageLog::format(
    const QDateTime &time, QtMsgType type, const char *category, const QString &message)
{
    QString text = message;
    text.replace(QLatin1Char('\n'), QStringLiteral("\n    "));
    return time.toString(Qt::ISODateWithMs) + QLatin1Char(' ') + QLatin1String(levelName(type))
        + QLatin1Char(' ') + QLatin1String(category ? category : "default") + QStringLiteral(": ") + text;
}

void MessageLog::handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // A message raised while a line is being written (QFile complaining, say) goes only to the
    // terminal, or the handler would wait for itself.
    static thread_local bool writing = false;
    MessageLog *log = activeLog;
    if (log && !writing) {
        writing = true;
        {
            const QMutexLocker lock(&log->m_mutex);
            log->m_file.append(format(QDateTime::currentDateTime(), type, context.category, message));
        }
        writing = false;
    }
    if (log && log->m_previous)
        log->m_previous(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace vorlane
