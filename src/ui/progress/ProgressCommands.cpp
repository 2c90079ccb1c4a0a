#include "ui/progress/ProgressCommands.h"

#include "core/AppState.h"
#include "ui/progress/DailyLogWindow.h"
#include "ui/progress/ScoreChartWindow.h"
#include "ui/progress/StudyPlanWindow.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/ShellCommands.h"
#include "ui/shell/UiContext.h"

#include <QApplication>

namespace vorlane::ui {

namespace {

// Both windows open the system settings in their full layout, owned by themselves.
std::function<void()> settingsOpener(UiContext &context, QWidget *owner)
{
    return [&context, owner] {
        context.state.settingsTimesOnly = false;
        openSystemSettings(context, owner, false);
    };
}

} // namespace

void addProgressCommands(CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow)
{
    dispatcher.add(
        QStringLiteral("rz"), CommandDispatcher::Cursor::HourglassWhileCreating, [&context, menuWindow] {
            DailyLogWindow window(context, menuWindow);
            window.setSettingsOpener(settingsOpener(context, &window));
            if (QApplication::overrideCursor())
                QApplication::restoreOverrideCursor();
            window.exec();
        });
    dispatcher.add(QStringLiteral("szjh"), CommandDispatcher::Cursor::Hourglass, [&context, menuWindow] {
        StudyPlanWindow window(context, menuWindow);
        window.exec();
    });
    dispatcher.add(QStringLiteral("tj"), CommandDispatcher::Cursor::Hourglass, [&context, menuWindow] {
        ScoreChartWindow window(context, menuWindow);
        window.setSettingsOpener(settingsOpener(context, &window));
        window.exec();
    });
}

} // namespace vorlane::ui
