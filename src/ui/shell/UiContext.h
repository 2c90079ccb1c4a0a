#pragma once

namespace vorlane {

struct AppState;
class Clock;
class Database;

namespace ui {

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
};

} // namespace ui
} // namespace vorlane
