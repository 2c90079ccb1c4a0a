#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace vorlane::test {

// A small file system of its own (a tmpfs), to see what a full disk does. Mounting needs the
// right to mount; where it is missing, available() is false and the test skips.
class SmallDisk
{
public:
    explicit SmallDisk(int kilobytes)
    {
        m_mounted
            = QProcess::execute(QStringLiteral("mount"),
                  { QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                      QStringLiteral("size=%1k").arg(kilobytes), QStringLiteral("tmpfs"), m_dir.path() })
            == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), { QStringLiteral("-l"), m_dir.path() });
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool available() const { return m_mounted; }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

} // namespace vorlane::test
