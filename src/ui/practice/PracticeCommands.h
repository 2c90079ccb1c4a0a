#pragma once

class QWidget;

namespace vorlane::ui {

class CommandDispatcher;
struct UiContext;

// The menu words "lx" to "lx5": each opens the subject catalogue over the menu window.
void addPracticeCommands(CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow);

} // namespace vorlane::ui
