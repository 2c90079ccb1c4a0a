#include "ui/shell/CommandDispatcher.h"

#include <QApplication>

#include <exception>

namespace vorlane::ui {

void CommandDispatcher::add(const QString &word, Cursor cursor, std::function<void()> action)
{
    m_commands[word] = Command { cursor, std::move(action) };
}

bool CommandDispatcher::dispatch(const QString &word)
{
    const auto found = m_commands.find(word);
    if (found == m_commands.end())
        return false;
    const Cursor cursor = found->second.cursor;
    if (cursor != Cursor::Unchanged)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    // The cursor comes back however the action ends; an action that restores it itself once
    // its window exists may fail before that, and then it is restored here.
    struct Restore
    {
        Cursor cursor;
        int exceptions = std::uncaught_exceptions();
        ~Restore()
        {
            const QCursor *current = QApplication::overrideCursor();
            if (!current)
                return;
            const bool failedWhileCreating = cursor == Cursor::HourglassWhileCreating
                && std::uncaught_exceptions() > exceptions && current->shape() == Qt::WaitCursor;
            if (cursor == Cursor::Hourglass || failedWhileCreating)
                QApplication::restoreOverrideCursor();
        }
    } restore { cursor };
    found->second.action();
    return true;
}

} // namespace vorlane::ui
