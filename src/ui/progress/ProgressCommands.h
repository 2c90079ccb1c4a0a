#pragma once

class QWidget;

namespace vorlane::ui {

class CommandDispatcher;
struct UiContext;

// Adds "rz" (the daily log), "szjh" (the study plan) and "tj" (the score charts).
void addProgressCommands(CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow);

} // namespace vorlane::ui
