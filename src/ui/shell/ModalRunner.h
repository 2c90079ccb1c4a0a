#pragma once

#include <QList>
#include <QPointer>
#include <QString>

#include <functional>

class QDialog;
class QWidget;

namespace vorlane::ui {

// The one way a window opens a child window. The opener makes the dialog with itself as parent
// (its owner) and hands it to run(); the program then waits on it modally, a test drives it in
// place through a driver. The runner also knows which window the user is in, which owns the
// shared message box.
class ModalRunner
{
public:
    // Acts on an open dialog as a user would (clicks, keys) and usually closes it.
    using Driver = std::function<void(QDialog &dialog)>;

    // What was opened, in order, for tests: object names, and the owner while it lives.
    struct Opened
    {
        QString name;
        QString ownerName;
        QPointer<QWidget> owner;
    };

    // Shows the dialog application-modal over its owner and returns its result once it is
    // finished. A dialog may hide while it waits for a child of its own (the catalogue does while
    // practice runs): only finishing ends the wait, not hiding.
    int run(QDialog &dialog);

    // Tests: from now on every dialog is shown, handed to `driver` and hidden when the driver
    // returns, so nothing waits on a modal loop. Nested dialogs reach the same driver.
    void setDriver(Driver driver) { m_driver = std::move(driver); }

    // The innermost dialog being run, or null when the user is in the main window.
    QDialog *current() const { return m_open.isEmpty() ? nullptr : m_open.last().data(); }

    const QList<Opened> &opened() const { return m_opened; }

private:
    Driver m_driver;
    QList<QPointer<QDialog>> m_open;
    QList<Opened> m_opened;
};

} // namespace vorlane::ui
