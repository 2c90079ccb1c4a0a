#include "app/Commands.h"

#include "ui/exam/ExamCommands.h"
#include "ui/laws/LawsCommands.h"
#include "ui/maintenance/MaintenanceCommands.h"
#include "ui/practice/PracticeCommands.h"
#include "ui/progress/ProgressCommands.h"
#include "ui/settings/UpgradeCommands.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/ShellCommands.h"
#include "ui/shell/UiContext.h"

namespace vorlane::app {

void addAllCommands(ui::CommandDispatcher &dispatcher, ui::UiContext &context, QWidget *menuWindow)
{
    ui::addShellCommands(dispatcher, context, menuWindow);
    ui::addPracticeCommands(dispatcher, context, menuWindow);
    ui::addExamCommands(dispatcher, context, menuWindow);
    ui::addUpgradeCommands(dispatcher, context, menuWindow);
    ui::addLawsCommands(dispatcher, context, menuWindow);
    ui::addProgressCommands(dispatcher, context, menuWindow);
    ui::addMaintenanceCommands(dispatcher, context, menuWindow);
}

} // namespace vorlane::app
