#pragma once

class QWidget;

namespace vorlane::ui {

class CommandDispatcher;
struct UiContext;

// Adds the bank's care: "jcsj" (检查数据, check and repair) and "sjbf" (数据备份, snapshots and
// restore).
void addMaintenanceCommands(CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow);

} // namespace vorlane::ui
