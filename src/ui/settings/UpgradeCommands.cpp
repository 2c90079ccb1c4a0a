#include "ui/settings/UpgradeCommands.h"

#include "ui/settings/UpgradeWindow.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/UiContext.h"

#include <QApplication>

namespace vorlane::ui {

void addUpgradeCommands(CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow)
{
    dispatcher.add(
        QStringLiteral("sj"), CommandDispatcher::Cursor::HourglassWhileCreating, [&context, menuWindow] {
            UpgradeWindow window(context, menuWindow);
            if (QApplication::overrideCursor())
                QApplication::restoreOverrideCursor();
            context.modal.run(window);
        });
}

} // namespace vorlane::ui
