#include "ui/progress/ProgressCommands.h"

#include "ui/progress/DailyLogWindow.h"
#include "ui/progress/ScoreChartWindow.h"
#include "ui/progress/StudyPlanWindow.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/UiContext.h"

#include <QApplication>

namespace vorlane::ui {

void addProgressCommands(CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow)
{
    dispatcher.add(
        QStringLiteral("rz"), CommandDispatcher::Cursor::HourglassWhileCreating, [&context, menuWindow] {
            DailyLogWindow window(context, menuWindow);
            if (QApplication::overrideCursor())
                QApplication::restoreOverrideCursor();
            context.modal.run(window);
        });
    dispatcher.add(QStringLiteral("szjh"), CommandDispatcher::Cursor::Hourglass, [&context, menuWindow] {
        StudyPlanWindow window(context, menuWindow);
        context.modal.run(window);
    });
    dispatcher.add(QStringLiteral("tj"), CommandDispatcher::Cursor::Hourglass, [&context, menuWindow] {
        ScoreChartWindow window(context, menuWindow);
        context.modal.run(window);
    });
}

} // namespace vorlane::ui
