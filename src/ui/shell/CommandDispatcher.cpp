#include "ui/shell/CommandDispatcher.h"

#include <QApplication>

namespace vorlane::ui {

void CommandDispatcher::add(const QString &word, Cursor cursor, std::function<void()> action)
{
    m_commands[word] = Command{cursor, std::move(action)};
}

bool CommandDispatcher::dispatch(const QString &word)
{
    const auto found = m_commands.find(word);
    if (found == m_commands.end())
        return false;
    const bool hourglass = found->second.cursor != Cursor::Unchanged;
    if (hourglass)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    // The cursor comes back however the action ends.
    struct Restore
    {
        bool active;
        ~Restore()
        {
            if (active && QApplication::overrideCursor())
                QApplication::restoreOverrideCursor();
        }
    } restore{found->second.cursor == Cursor::Hourglass};
    found->second.action();
    return true;
}

} // namespace vorlane::ui
