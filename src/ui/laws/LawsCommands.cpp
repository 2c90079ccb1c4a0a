#include "ui/laws/LawsCommands.h"

#include "ui/laws/LawsBrowserWindow.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/UiContext.h"

namespace vorlane::ui {

void addLawsCommands(CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow)
{
    const auto open = [&context, menuWindow] {
        // The browser hides while an article is practised; the runner waits until it is closed.
        LawsBrowserWindow browser(context, menuWindow);
        context.modal.run(browser);
    };
    for (const char *word : { "ksdg", "zsd" })
        dispatcher.add(QLatin1String(word), CommandDispatcher::Cursor::Hourglass, open);
}

} // namespace vorlane::ui
