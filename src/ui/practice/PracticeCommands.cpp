#include "ui/practice/PracticeCommands.h"

#include "ui/practice/CatalogueWindow.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/UiContext.h"

namespace vorlane::ui {

void addPracticeCommands(CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow)
{
    const auto open = [&context, menuWindow] {
        // The catalogue hides while practice runs; the runner waits until it is closed.
        CatalogueWindow catalogue(context, menuWindow);
        context.modal.run(catalogue);
    };
    for (const char *word : { "lx", "lx2", "lx3", "lx4", "lx5" })
        dispatcher.add(QLatin1String(word), CommandDispatcher::Cursor::Hourglass, open);
}

} // namespace vorlane::ui
