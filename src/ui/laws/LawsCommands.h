#pragma once

class QWidget;

namespace vorlane::ui {

class CommandDispatcher;
struct UiContext;

// The menu words "ksdg" and "zsd": both open the laws browser over the menu window.
void addLawsCommands(CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow);

} // namespace vorlane::ui
