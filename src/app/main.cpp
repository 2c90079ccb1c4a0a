#include "app/CommandLine.h"
#include "app/Commands.h"
#include "core/AppState.h"
#include "core/Clock.h"
#include "core/install/ResourceFolder.h"
#include "core/log/Logging.h"
#include "core/log/MessageLog.h"
#include "core/settings/StartupRules.h"
#include "core/store/BankCheck.h"
#include "core/store/BankFiles.h"
#include "core/store/BankSnapshots.h"
#include "core/store/BankStartup.h"
#include "core/store/Database.h"
#include "ui/exam/ExamCommands.h"
#include "ui/maintenance/DailySnapshot.h"
#include "ui/maintenance/SessionEnd.h"
#include "ui/shell/BackgroundMusic.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/InstanceHandover.h"
#include "ui/shell/MenuWindow.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/SingleInstance.h"
#include "ui/shell/Theme.h"
#include "ui/shell/UiContext.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

// Qt aborts with a long story when it finds no display; say it in one line instead.
bool displayAvailable()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true; // a platform was chosen on purpose (offscreen, vnc, …)
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int refuse(QMessageBox::Icon icon, const QString &caption, const QString &text)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QObject::tr("确定"));
    box.exec();
    return 1;
}

// A bank that does not open, where a good snapshot exists: offered in its place, with its date.
// The file that failed is kept beside it under another name. True when the snapshot is in place.
bool offerSnapshot(
    const vorlane::BankRefusal &refusal, const vorlane::BankLocation &location, const vorlane::Clock &clock)
{
    using namespace vorlane;
    if (!refusal.restoreHelps())
        return false;
    BankSnapshots snapshots(location.path, clock);
    const std::optional<SnapshotInfo> good = snapshots.newestGood();
    if (!good)
        return false;
    QMessageBox box(QMessageBox::Critical, QObject::tr("错误"),
        refusal.message()
            + QObject::tr("\n\n找到 %1 的自动备份。要用它恢复题库吗？"
                          "打不开的题库文件会改名保留，不会删除。")
                  .arg(good->taken.toString(QStringLiteral("yyyy-MM-dd HH:mm"))),
        QMessageBox::Yes | QMessageBox::No);
    box.setObjectName(QStringLiteral("restoreOffer"));
    box.button(QMessageBox::Yes)->setText(QObject::tr("恢复"));
    box.button(QMessageBox::No)->setText(QObject::tr("退出"));
    if (box.exec() != QMessageBox::Yes)
        return false;
    const Result<QString> setAside = snapshots.replaceDamagedBank(*good);
    if (!setAside) {
        qCCritical(lcStartup).noquote() << "restore failed:" << setAside.status().logText();
        return false;
    }
    qCInfo(lcStartup).noquote() << "restored" << good->path << "; the refused bank is kept as" << *setAside;
    return true;
}

// vorlane --check-bank PATH: the check and repair for scripts, with no desktop needed.
// Exit status 0 clean, 1 repaired, 2 damaged or not a bank.
int checkBankCommand(int argc, char *argv[], int flag)
{
    QCoreApplication application(argc, argv);
    if (flag + 1 >= argc) {
        std::fprintf(stderr, "usage: %s --check-bank PATH\n", argv[0]);
        return 2;
    }
    QString output;
    const vorlane::Clock clock;
    const int status = vorlane::checkBankFile(QString::fromLocal8Bit(argv[flag + 1]), clock, output);
    std::fprintf(status == 2 ? stderr : stdout, "%s\n", output.toUtf8().constData());
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    using namespace vorlane;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--check-bank") == 0)
            return checkBankCommand(argc, argv, i);
    if (const std::optional<int> answered = app::answerInformationOption(argc, argv))
        return *answered;
    if (!displayAvailable()) {
        std::fprintf(stderr,
            "本软件需要在图形桌面中运行（未找到 DISPLAY 或 WAYLAND_DISPLAY）。"
            "Vorlane needs a desktop session (no DISPLAY or WAYLAND_DISPLAY); to try it without one: "
            "xvfb-run -s '-screen 0 1024x768x24' %s\n",
            argv[0]);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorlane"));
    QApplication::setApplicationVersion(QStringLiteral(VORLANE_VERSION));
    // Wayland matches the window to its launcher entry by this; X11 by the class "Vorlane".
    QGuiApplication::setDesktopFileName(QString::fromLatin1(DesktopId));
    // Reasons a maintainer needs (SQLite's text, the statement) go to a file in the user's state
    // folder; windows show only the sentence meant for the user.
    const MessageLog log(defaultLogDirectory());

    const QString appDir = resourceFolderFor(QCoreApplication::applicationDirPath());
    const BankLocation location = locateBank(QCoreApplication::arguments(), appDir);
    ui::SingleInstance instance;
    if (instance.claim() == ui::SingleInstance::Claim::Taken) {
        // The running copy may be starting still: it gets a moment to open its socket.
        instance.activateRunningInstance(3000, location.path);
        return 0;
    }

    QIcon icon;
    for (const QString &file : iconFilesFor(appDir))
        icon.addFile(file);
    QApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(DesktopId), icon));
    ui::applyTheme(app);
    const QString notice = QObject::tr("提示");

    if (!ui::MenuWindow::artworkAvailable(appDir))
        return refuse(QMessageBox::Warning, notice, QObject::tr("找不到主菜单文件，请重新安装本软件！"));

    const Clock clock;
    BankOpening opening = openBankForWork(location, appDir);
    if (!opening.ok()) {
        qCCritical(lcStartup).noquote()
            << "bank refused:" << opening.refusal.reason << "|" << opening.refusal.detail;
        if (offerSnapshot(opening.refusal, location, clock))
            opening = openBankForWork(location, appDir);
        if (!opening.ok()) {
            qCCritical(lcStartup).noquote() << "bank refused:" << opening.refusal.detail;
            return refuse(QMessageBox::Critical, QObject::tr("错误"), opening.refusal.message());
        }
    }
    const std::shared_ptr<Database> db = opening.db;

    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || !isSmallFonts(screen->logicalDotsPerInchX()))
        return refuse(
            QMessageBox::Warning, notice, QObject::tr("推荐您在小字体下使用本软件，请在设置后重新运行！"));

    AppState state;
    state.appDir = appDir;
    state.screenLayout = screenLayoutFor(screen->size());
    ui::SessionEnd sessionEnd;
    // Owned by the menu once it exists, so that they stay in front of it.
    ui::ModalRunner modal;
    auto *prompt = new ui::PromptDialog(modal);
    auto *progress = new ui::ProgressWindow(nullptr, &modal);
    ui::BackgroundMusic music(*prompt, ui::makeFluidSynthOutput());
    ui::UiContext context { state, *db, clock, *prompt, *progress, modal, &music };
    ui::CommandDispatcher dispatcher;
    ui::MenuWindow menu(context, dispatcher);
    prompt->setParent(&menu, prompt->windowFlags());
    progress->setParent(&menu, progress->windowFlags());
    app::addAllCommands(dispatcher, context, &menu);
    menu.refreshItems();
    // Queued, so that a message about another bank is not asked from inside the socket's signal.
    QObject::connect(
        &instance, &ui::SingleInstance::activationRequested, &menu,
        [&menu, prompt, bank = location.path](
            const QString &requested) { ui::answerLaterStart(&menu, *prompt, bank, requested); },
        Qt::QueuedConnection);

    // scripts/measure-startup: the moment the menu has been painted, then leave.
    if (qEnvironmentVariableIsSet("VORLANE_STARTUP_PROBE"))
        QObject::connect(&menu, &ui::MenuWindow::shownAndPainted, &app, [] {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("menu-shown-ns %lld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::fflush(stdout);
            // exit, not quit: quit asks the menu to close, and closing the menu runs the plan check.
            QCoreApplication::exit(0);
        });

    // The day's first snapshot once the menu is up, on a thread of its own.
    ui::DailySnapshot daily(location.path, clock);
    QObject::connect(&menu, &ui::MenuWindow::shownAndPainted, &daily, [&daily] { daily.startIfDue(); });
    // A mock exam the program did not live to end is offered once, when the menu is first up.
    if (!qEnvironmentVariableIsSet("VORLANE_STARTUP_PROBE")) {
        auto offered = std::make_shared<bool>(false);
        QObject::connect(&menu, &ui::MenuWindow::shownAndPainted, &menu, [&context, &menu, offered] {
            if (*offered)
                return;
            *offered = true;
            QTimer::singleShot(
                0, &menu, [&context, &menu] { ui::continueUnfinishedPaper(context, 0, &menu); });
        });
    }

    menu.showOnScreen();
    const int status = QApplication::exec();
    daily.wait();
    return status;
}
