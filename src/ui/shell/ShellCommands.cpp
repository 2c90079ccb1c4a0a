#include "ui/shell/ShellCommands.h"

#include "core/AppState.h"
#include "core/Clock.h"
#include "core/progress/QuitPlan.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/InfoWindows.h"
#include "ui/shell/ModalRunner.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

namespace vorlane::ui {

QString lawsPagePath()
{
    return QStringLiteral("htm/法规选编.htm");
}
QString contactsPagePath()
{
    return QStringLiteral("htm/发行站及专业书店联系方式.htm");
}
QString helpPagePath()
{
    return QStringLiteral("htm/使用帮助.htm");
}

ShellServices defaultShellServices()
{
    ShellServices services;
    services.openPage = [](const QString &path) {
        if (QFileInfo::exists(path))
            QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
    return services;
}

namespace {

// The system message box of the quit check, owned by the menu and run like any child window.
QMessageBox::StandardButton systemMessage(UiContext &context, QWidget *owner, QMessageBox::Icon icon,
    const QString &caption, const QString &text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, text, buttons, owner);
    box.setObjectName(QStringLiteral("quitPlanBox"));
    if (QAbstractButton *ok = box.button(QMessageBox::Ok)) {
        ok->setText(QObject::tr("确定"));
        ok->setObjectName(QStringLiteral("quitPlanOk"));
    }
    if (QAbstractButton *cancel = box.button(QMessageBox::Cancel)) {
        cancel->setText(QObject::tr("取消"));
        cancel->setObjectName(QStringLiteral("quitPlanCancel"));
    }
    context.modal.run(box);
    QAbstractButton *clicked = box.clickedButton();
    return clicked ? box.standardButton(clicked) : QMessageBox::NoButton;
}

void quitAfterPlanCheck(UiContext &context, QWidget *menuWindow)
{
    const Result<QuitPlanCheck> check = checkQuitPlan(context.db, context.clock.today());
    // A plan that cannot be read must not keep the user in the program.
    if (!check) {
        menuWindow->close();
        return;
    }
    const QString caption = QObject::tr("提示");
    QMessageBox::StandardButton answer = QMessageBox::NoButton;
    switch (check->outcome) {
    case QuitPlanOutcome::NoComparison:
        return;
    case QuitPlanOutcome::Below:
        answer = systemMessage(context, menuWindow, QMessageBox::Question, caption,
            QObject::tr("还未完成今日学习计划，要退出吗？"), QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case QuitPlanOutcome::Met:
        answer = systemMessage(context, menuWindow, QMessageBox::Information, caption,
            QObject::tr("恭喜完成今日学习计划！"), QMessageBox::Ok);
        break;
    case QuitPlanOutcome::Above:
        answer = systemMessage(context, menuWindow, QMessageBox::Information, caption,
            QObject::tr("超额完成学习计划，要注意休息呦！"), QMessageBox::Ok);
        break;
    }
    if (answer == QMessageBox::Ok)
        menuWindow->close();
}

} // namespace

void addShellCommands(
    CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow, ShellServices services)
{
    using Cursor = CommandDispatcher::Cursor;
    AppState &state = context.state;
    dispatcher.add(QStringLiteral("music"), Cursor::Unchanged,
        [&context, menuWindow] { openSystemSettings(context, menuWindow, false); });
    dispatcher.add(QStringLiteral("sztime"), Cursor::Unchanged,
        [&context, menuWindow] { openSystemSettings(context, menuWindow, true); });
    dispatcher.add(QStringLiteral("fg"), Cursor::Unchanged,
        [&state, services] { services.openPage(state.appDir + lawsPagePath()); });
    dispatcher.add(QStringLiteral("lxfs"), Cursor::Unchanged,
        [&state, services] { services.openPage(state.appDir + contactsPagePath()); });
    dispatcher.add(QStringLiteral("help"), Cursor::Unchanged, [&context, menuWindow] {
        const QString path = context.state.appDir + helpPagePath();
        if (!QFileInfo::exists(path))
            return;
        HelpWindow help(path, menuWindow);
        context.modal.run(help);
    });
    dispatcher.add(QStringLiteral("about"), Cursor::Unchanged, [&context, menuWindow] {
        AboutWindow about(context.state.appDir, menuWindow);
        context.modal.run(about);
    });
    dispatcher.add(QStringLiteral("quit"), Cursor::Unchanged,
        [&context, menuWindow] { quitAfterPlanCheck(context, menuWindow); });
}

} // namespace vorlane::ui
