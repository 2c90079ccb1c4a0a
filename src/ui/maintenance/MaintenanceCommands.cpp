#include "ui/maintenance/MaintenanceCommands.h"

#include "ui/maintenance/BackupWindow.h"
#include "ui/maintenance/BankCheckWindow.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/UiContext.h"

namespace vorlane::ui {

void addMaintenanceCommands(CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow)
{
    dispatcher.add(QStringLiteral("jcsj"), CommandDispatcher::Cursor::Unchanged, [&context, menuWindow] {
        BankCheckWindow window(context, menuWindow);
        window.runCheck();
        context.modal.run(window);
    });
    dispatcher.add(QStringLiteral("sjbf"), CommandDispatcher::Cursor::Unchanged, [&context, menuWindow] {
        BackupWindow window(context, menuWindow);
        context.modal.run(window);
    });
}

} // namespace vorlane::ui
