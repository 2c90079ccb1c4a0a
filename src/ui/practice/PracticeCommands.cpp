#include "ui/practice/PracticeCommands.h"

#include "ui/practice/CatalogueWindow.h"
#include "ui/shell/CommandDispatcher.h"

#include <QEventLoop>
#include <QPointer>

namespace vorlane::ui {

void addPracticeCommands(CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow)
{
    const auto open = [&dispatcher, &context, menuWindow] {
        PracticeHooks hooks;
        // The catalogue and the practice window open the settings window the way the menu does.
        hooks.openSettings = [&dispatcher](QWidget *) { dispatcher.dispatch(QStringLiteral("music")); };
        CatalogueWindow catalogue(context, hooks, menuWindow);
        catalogue.setWindowModality(Qt::ApplicationModal);
        // The catalogue hides while practice runs, so it is waited on until it is closed rather
        // than through QDialog::exec, which would end at the first hide.
        QEventLoop loop;
        QObject::connect(&catalogue, &QDialog::finished, &loop, &QEventLoop::quit);
        catalogue.show();
        loop.exec();
    };
    for (const char *word : { "lx", "lx2", "lx3", "lx4", "lx5" })
        dispatcher.add(QLatin1String(word), CommandDispatcher::Cursor::Hourglass, open);
}

} // namespace vorlane::ui
