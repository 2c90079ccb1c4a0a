#pragma once

namespace vorlane {

struct AppState;
class Clock;
class Database;

namespace ui {

class BackgroundMusic;
class PromptDialog;
class ProgressWindow;

// What every window is handed when it is made: the shared state, the bank, the clock and the
// two shared windows. Nothing here is global; the program builds one and tests build their own.
struct UiContext
{
    AppState &state;
    Database &db;
    const Clock &clock;
    PromptDialog &prompt;
    ProgressWindow &progress;
    // The main window's background music, which the system settings switch; none in most tests.
    BackgroundMusic *music = nullptr;
};

} // namespace ui
} // namespace vorlane
