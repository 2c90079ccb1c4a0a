#include "ui/practice/PracticeCommands.h"

#include "ui/practice/CatalogueWindow.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/UiContext.h"

namespace vorlane::ui {

void addPracticeCommands(CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow)
{
    for (int subject = 1; subject <= 5; ++subject) {
        const QString word = subject == 1 ? QStringLiteral("lx") : QStringLiteral("lx%1").arg(subject);
        dispatcher.add(word, CommandDispatcher::Cursor::Hourglass, [&context, menuWindow, subject] {
            // The catalogue hides while practice runs; the runner waits until it is closed.
            CatalogueWindow catalogue(context, menuWindow);
            catalogue.startAtSubject(subject);
            context.modal.run(catalogue);
        });
    }
}

} // namespace vorlane::ui
