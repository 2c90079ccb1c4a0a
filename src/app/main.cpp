#include "app/Commands.h"
#include "core/AppState.h"
#include "core/Clock.h"
#include "core/log/Logging.h"
#include "core/log/MessageLog.h"
#include "core/settings/StartupRules.h"
#include "core/store/BankCheck.h"
#include "core/store/BankFiles.h"
#include "core/store/Database.h"
#include "ui/shell/BackgroundMusic.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/MenuWindow.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/SingleInstance.h"
#include "ui/shell/Theme.h"
#include "ui/shell/UiContext.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

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
    if (!displayAvailable()) {
        std::fprintf(stderr,
            "Vorlane needs a desktop session (no DISPLAY or WAYLAND_DISPLAY); to try it without one: "
            "xvfb-run -s '-screen 0 1024x768x24' %s\n",
            argv[0]);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorlane"));
    // Reasons a maintainer needs (SQLite's text, the statement) go to a file in the user's state
    // folder; windows show only the sentence meant for the user.
    const MessageLog log(defaultLogDirectory());

    ui::SingleInstance instance;
    if (instance.claim() == ui::SingleInstance::Claim::Taken) {
        // The running copy may be starting still: it gets a moment to open its socket.
        instance.activateRunningInstance(3000);
        return 0;
    }

    const QString appDir = QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
    ui::applyTheme(app);
    const QString notice = QObject::tr("提示");

    if (!ui::MenuWindow::artworkAvailable(appDir))
        return refuse(QMessageBox::Warning, notice, QObject::tr("找不到主菜单文件，请重新安装本软件！"));

    const BankLocation location = locateBank(QCoreApplication::arguments(), appDir);
    const Result<std::shared_ptr<Database>> opened = openBankAtStartup(location, appDir);
    if (!opened) {
        qCCritical(lcStartup).noquote() << "bank refused:" << opened.status().logText();
        return refuse(QMessageBox::Critical, QObject::tr("错误"), QObject::tr("无法连接数据库！"));
    }
    const std::shared_ptr<Database> db = opened.value();

    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || !isSmallFonts(screen->logicalDotsPerInchX()))
        return refuse(
            QMessageBox::Warning, notice, QObject::tr("推荐您在小字体下使用本软件，请在设置后重新运行！"));

    AppState state;
    state.appDir = appDir;
    state.screenLayout = screenLayoutFor(screen->size());
    const Clock clock;
    // Owned by the menu once it exists, so that they stay in front of it.
    ui::ModalRunner modal;
    auto *prompt = new ui::PromptDialog(modal);
    auto *progress = new ui::ProgressWindow;
    ui::BackgroundMusic music(*prompt, ui::makeFluidSynthOutput());
    ui::UiContext context { state, *db, clock, *prompt, *progress, modal, &music };
    ui::CommandDispatcher dispatcher;
    ui::MenuWindow menu(context, dispatcher);
    prompt->setParent(&menu, prompt->windowFlags());
    progress->setParent(&menu, progress->windowFlags());
    app::addAllCommands(dispatcher, context, &menu);
    menu.refreshItems();
    QObject::connect(
        &instance, &ui::SingleInstance::activationRequested, &menu, [&menu] { ui::bringToFront(&menu); });

    // scripts/measure-startup: the moment the menu has been painted, then leave.
    if (qEnvironmentVariableIsSet("VORLANE_STARTUP_PROBE"))
        QObject::connect(&menu, &ui::MenuWindow::shownAndPainted, &app, [] {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("menu-shown-ns %lld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::fflush(stdout);
            QCoreApplication::quit();
        });

    menu.showOnScreen();
    return QApplication::exec();
}
