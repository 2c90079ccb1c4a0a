#pragma once

class QWidget;

namespace vorlane::ui {

class CommandDispatcher;
struct UiContext;

// "sj": the question-bank upgrade window.
void addUpgradeCommands(CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow);

} // namespace vorlane::ui
