#include "core/install/ResourceFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace vorlane {

namespace {

QString withSlash(const QString &folder)
{
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    return clean.endsWith(QLatin1Char('/')) ? clean : clean + QLatin1Char('/');
}

} // namespace

QString resourceFolderFor(const QString &executableDir)
{
    const QDir beside(executableDir);
    const QString candidates[]
        = { beside.absolutePath(), beside.absoluteFilePath(QStringLiteral("../share/vorlane")) };
    for (const QString &candidate : candidates)
        if (QFileInfo(QDir(candidate).filePath(QStringLiteral("pic"))).isDir())
            return withSlash(candidate);
    return withSlash(beside.absolutePath());
}

QStringList iconFilesFor(const QString &resourceFolder)
{
    const QDir resources(resourceFolder);
    const QString themes[] = { resources.filePath(QStringLiteral("icons/hicolor")),
        resources.filePath(QStringLiteral("../icons/hicolor")) };
    const QString file = QString::fromLatin1(DesktopId) + QStringLiteral(".png");
    for (const QString &theme : themes) {
        QStringList found;
        for (const int size : { 256, 128, 64, 48, 32, 24, 22, 16 }) {
            // Cleaned first: "vorlane/.." only resolves on disk when vorlane/ exists.
            const QString path
                = QDir::cleanPath(QDir(theme).filePath(QStringLiteral("%1x%1/apps/").arg(size) + file));
            if (QFileInfo::exists(path))
                found.append(path);
        }
        if (!found.isEmpty())
            return found;
    }
    return {};
}

} // namespace vorlane
