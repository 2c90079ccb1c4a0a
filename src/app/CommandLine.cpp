#include "app/CommandLine.h"

#include "core/install/ResourceFolder.h"
#include "core/log/MessageLog.h"
#include "core/store/BankFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

#include <cstring>

namespace vorlane::app {

namespace {

QString helpText(const QString &program)
{
    const QString resources = resourceFolderFor(QCoreApplication::applicationDirPath());
    const QString bank = locateBank({}, resources).path;
    const QString dataFolder = QFileInfo(bank).absolutePath();
    QString text;
    QTextStream out(&text);
    out << "Usage: " << program << " [--bank PATH]\n"
        << "Vorlane, a study program for a professional qualification examination (Chinese interface).\n"
        << "\nOptions:\n"
        << "  --bank PATH        open this bank instead of the one in the data folder (also "
           "VORLANE_BANK=PATH)\n"
        // Options of later features join this list, one line each.
        << "  --help             show this help and end\n"
        << "  --version          print the version and end\n"
        << "\nFolders:\n"
        << "  bank               " << bank << "\n"
        << "                     (copied from the demo bank on the first start; settings live in it)\n"
        << "  data folder        " << dataFolder
        << "/\n"
        // Folders of later features (snapshots, caches) join this list.
        << "  log                " << QDir(defaultLogDirectory()).filePath(QStringLiteral("vorlane.log"))
        << "\n"
        << "  shipped files      " << resources << "\n"
        << "\nA second start hands over to the program already running, which comes to the front.\n";
    return text;
}

} // namespace

std::optional<int> answerInformationOption(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const bool help = std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0;
        const bool version = std::strcmp(argv[i], "--version") == 0;
        if (!help && !version)
            continue;
        QCoreApplication application(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Vorlane"));
        QTextStream out(stdout);
        if (version)
            out << "vorlane " << VORLANE_VERSION << '\n';
        else
            out << helpText(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName());
        return 0;
    }
    return std::nullopt;
}

} // namespace vorlane::app
