#pragma once

#include <QCoreApplication>

#include <functional>

namespace vorlane {

struct AppState;
class Clock;
class Database;

namespace ui {

class BackgroundMusic;
class ModalRunner;
class PromptDialog;
class ProgressWindow;

// What every window is handed when it is made: the shared state, the bank, the clock, the two
// shared windows and the modal runner through which every child window is opened. Nothing here
// is global; the program builds one and tests build their own.
struct UiContext
{
    AppState &state;
    Database &db;
    const Clock &clock;
    PromptDialog &prompt;
    ProgressWindow &progress;
    ModalRunner &modal;
    // The main window's background music, which the system settings switch; none in most tests.
    BackgroundMusic *music = nullptr;
    // Ends the program when its own resources are missing; tests record the code instead.
    std::function<void(int code)> endProgram = [](int code) { QCoreApplication::exit(code); };
};

} // namespace ui
} // namespace vorlane
