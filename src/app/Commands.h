#pragma once

class QWidget;

namespace vorlane::ui {
class CommandDispatcher;
struct UiContext;
} // namespace vorlane::ui

namespace vorlane::app {

// The one place where the main menu's command table is made: every subsystem adds its words.
void addAllCommands(ui::CommandDispatcher &dispatcher, ui::UiContext &context, QWidget *menuWindow);

} // namespace vorlane::app
