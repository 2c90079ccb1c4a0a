#pragma once

#include <QString>

#include <functional>
#include <map>

namespace vorlane::ui {

// The main menu's command words and what each one does. Words match exactly and
// case-sensitively; a word without an entry does nothing.
class CommandDispatcher
{
public:
    // Hourglass: from before the window is made until it has closed.
    // HourglassWhileCreating: the action restores the cursor itself once its window exists.
    enum class Cursor { Unchanged, Hourglass, HourglassWhileCreating };

    void add(const QString &word, Cursor cursor, std::function<void()> action);
    bool serves(const QString &word) const { return m_commands.count(word) > 0; }
    // Runs the word's action; false when no entry serves it.
    bool dispatch(const QString &word);

private:
    struct Command
    {
        Cursor cursor;
        std::function<void()> action;
    };
    std::map<QString, Command> m_commands;
};

} // namespace vorlane::ui
