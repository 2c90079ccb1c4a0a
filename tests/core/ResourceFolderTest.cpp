#include "core/install/ResourceFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

using namespace vorlane;

namespace {

void makeFile(const QString &path)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

struct LayoutCase
{
    const char *name;
    std::vector<const char *> folders; // made under the root
    const char *executableDir;
    const char *expected;
};

} // namespace

TEST(ResourceFolder, FindsTheShippedFilesInEitherLayout)
{
    const LayoutCase cases[] = {
        { "build folder: beside the executable", { "build/bin/pic", "build/bin/data" }, "build/bin",
            "build/bin/" },
        { "installed: PREFIX/share/vorlane", { "usr/bin", "usr/share/vorlane/pic" }, "usr/bin",
            "usr/share/vorlane/" },
        // A build folder that was also installed into keeps using its own files.
        { "both: the files beside the executable win", { "p/bin/pic", "p/share/vorlane/pic" }, "p/bin",
            "p/bin/" },
        // share/vorlane without pic/ is not a resource folder (an unrelated or half-removed install).
        { "share/vorlane without pictures", { "q/bin", "q/share/vorlane/htm" }, "q/bin", "q/bin/" },
        { "nothing anywhere: the executable's folder", { "r/bin" }, "r/bin", "r/bin/" },
    };
    for (const LayoutCase &layout : cases) {
        SCOPED_TRACE(layout.name);
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        for (const char *folder : layout.folders)
            ASSERT_TRUE(QDir().mkpath(root.filePath(QLatin1String(folder))));
        const QString found = resourceFolderFor(root.filePath(QLatin1String(layout.executableDir)));
        EXPECT_EQ(found, root.path() + QLatin1Char('/') + QLatin1String(layout.expected));
        EXPECT_TRUE(found.endsWith(QLatin1Char('/')));
    }
}

TEST(ResourceFolder, ResolvesARelativeExecutableFolderToAnAbsoluteOne)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir().mkpath(root.filePath(QStringLiteral("usr/share/vorlane/pic"))));
    ASSERT_TRUE(QDir().mkpath(root.filePath(QStringLiteral("usr/bin"))));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root.path()));
    const QString found = resourceFolderFor(QStringLiteral("usr/bin"));
    QDir::setCurrent(previous);
    EXPECT_TRUE(QDir::isAbsolutePath(found)) << found.toStdString();
    EXPECT_TRUE(found.endsWith(QStringLiteral("/usr/share/vorlane/"))) << found.toStdString();
}

TEST(ResourceFolder, FindsTheIconsOfEitherLayoutLargestFirst)
{
    const QString icon = QString::fromLatin1(DesktopId) + QStringLiteral(".png");
    QTemporaryDir root;
    // Build folder: AppDir/icons/hicolor.
    makeFile(root.filePath(QStringLiteral("build/bin/icons/hicolor/16x16/apps/") + icon));
    makeFile(root.filePath(QStringLiteral("build/bin/icons/hicolor/256x256/apps/") + icon));
    QStringList build = iconFilesFor(root.filePath(QStringLiteral("build/bin/")));
    ASSERT_EQ(build.size(), 2);
    EXPECT_TRUE(build.first().contains(QStringLiteral("/256x256/")));
    EXPECT_TRUE(build.last().contains(QStringLiteral("/16x16/")));
    // Installed: PREFIX/share/icons/hicolor beside PREFIX/share/vorlane.
    makeFile(root.filePath(QStringLiteral("usr/share/icons/hicolor/48x48/apps/") + icon));
    const QStringList installed = iconFilesFor(root.filePath(QStringLiteral("usr/share/vorlane/")));
    ASSERT_EQ(installed.size(), 1);
    EXPECT_EQ(installed.first(),
        QDir::cleanPath(root.filePath(QStringLiteral("usr/share/icons/hicolor/48x48/apps/") + icon)));
    EXPECT_TRUE(iconFilesFor(root.filePath(QStringLiteral("elsewhere/"))).isEmpty());
}
