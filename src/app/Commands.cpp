#include "app/Commands.h"

#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/ShellCommands.h"
#include "ui/shell/UiContext.h"

namespace vorlane::app {

void addAllCommands(ui::CommandDispatcher &dispatcher, ui::UiContext &context, QWidget *menuWindow)
{
    ui::addShellCommands(dispatcher, context, menuWindow);
    // Each subsystem's words follow, one call each.
}

} // namespace vorlane::app
