#pragma once

#include <QDialog>

#include <functional>

class QWidget;

namespace vorlane::ui {

// What the practice windows need from outside them: how a child window is shown modally (tests
// drive it in place of a modal loop), how the settings window is opened, and how the program
// ends on missing resources.
struct PracticeHooks
{
    std::function<int(QDialog &)> runModal = [](QDialog &dialog) { return dialog.exec(); };
    std::function<void(QWidget *owner)> openSettings = [](QWidget *) {};
    std::function<void(int code)> endProgram;
};

} // namespace vorlane::ui
