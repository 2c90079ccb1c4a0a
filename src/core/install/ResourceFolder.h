#pragma once

#include <QString>

namespace vorlane {

// The name the desktop knows the program by: its launcher entry, icon and metainfo file.
inline constexpr char DesktopId[] = "org.vorlane.Vorlane";

// The folder of the shipped files (pic/, sound/, htm/, data/), always ending in "/". Two layouts:
// the build folder (and an unpacked copy) keeps them beside the executable; an installed program
// (PREFIX/bin/vorlane) finds them in PREFIX/share/vorlane/. The first that holds pic/ wins; with
// neither, the executable's folder, so that the start-up check names what is missing.
QString resourceFolderFor(const QString &executableDir);

// The icon files of the program, largest first, in either layout: AppDir/icons/hicolor (build
// folder) or PREFIX/share/icons/hicolor (installed). Empty when none is found.
QStringList iconFilesFor(const QString &resourceFolder);

} // namespace vorlane
