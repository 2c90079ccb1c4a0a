#include "core/store/BankFiles.h"

#include "core/store/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace vorlane {

BankLocation locateBank(const QStringList &arguments, const QString &appDir)
{
    Q_UNUSED(appDir);
    const qsizetype flag = arguments.indexOf(QStringLiteral("--bank"));
    if (flag >= 0 && flag + 1 < arguments.size())
        return { arguments.at(flag + 1), true };
    const QString fromEnvironment = qEnvironmentVariable("VORLANE_BANK");
    if (!fromEnvironment.isEmpty())
        return { fromEnvironment, true };
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return { QDir(dataDir).filePath(QString::fromLatin1(bank::FileName)), false };
}

namespace {

QString resolvedPath(const QString &path)
{
    const QFileInfo file(path);
    if (file.exists())
        return file.canonicalFilePath();
    // Not there (yet): resolve the folder, which usually is.
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QDir::cleanPath(file.absoluteFilePath())
                            : QDir(folder).filePath(file.fileName());
}

} // namespace

bool sameBankFile(const QString &first, const QString &second)
{
    if (first.isEmpty() || second.isEmpty())
        return false;
    return resolvedPath(first) == resolvedPath(second);
}

Status seedBankIfMissing(const BankLocation &location, const QString &appDir)
{
    if (location.explicitPath || QFileInfo::exists(location.path))
        return {};
    const QString shipped
        = QDir(appDir).filePath(QStringLiteral("data/") + QString::fromLatin1(bank::FileName));
    if (!QFileInfo::exists(shipped))
        return Status::failure(QStringLiteral("找不到随程序提供的题库：%1").arg(shipped));
    if (!QDir().mkpath(QFileInfo(location.path).absolutePath()))
        return Status::failure(
            QStringLiteral("无法建立数据文件夹：%1").arg(QFileInfo(location.path).absolutePath()));
    // Copy to a temporary name first so that an interrupted copy never leaves half a bank.
    const QString partial = location.path + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(shipped, partial) || !QFile::rename(partial, location.path)) {
        QFile::remove(partial);
        return Status::failure(QStringLiteral("无法复制题库到：%1").arg(location.path));
    }
    QFile(location.path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return {};
}

} // namespace vorlane
