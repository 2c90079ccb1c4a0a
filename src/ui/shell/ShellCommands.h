#pragma once

#include "ui/shell/UiContext.h"

#include <QString>

#include <functional>

class QWidget;

namespace vorlane::ui {

class CommandDispatcher;

// What the shell's commands reach outside the program: the desktop's page viewer. The program
// uses the default; window tests put a recorder in its place. (Child windows, including the
// system message box of the quit check, go through UiContext::modal.)
struct ShellServices
{
    // Hands a page to the desktop's viewer; a missing page is passed over without a word.
    std::function<void(const QString &path)> openPage;
};

ShellServices defaultShellServices();

// The shell's own command words: "music", "sztime", "fg", "lxfs", "help", "about", "quit".
void addShellCommands(CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow,
    ShellServices services = defaultShellServices());

// The pages beside the program, relative to its folder.
QString lawsPagePath();
QString contactsPagePath();
QString helpPagePath();

// Opens the system settings in their music face, or with timesOnly in their answer-times face.
// Every window's settings button comes here. Defined with the settings window.
void openSystemSettings(UiContext &context, QWidget *parent, bool timesOnly = false);

} // namespace vorlane::ui
