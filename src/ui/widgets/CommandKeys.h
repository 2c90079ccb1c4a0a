#pragma once

#include <QKeySequence>

class QPushButton;

namespace vorlane::ui {

// Gives a window's command button a key of that window and shows the key in the button's
// tooltip. The key presses the button only while it is enabled and shown, so it can never do
// what the mouse could not. A button's caption may change (答案/返回) without losing its key.
void addCommandKey(QPushButton *button, const QKeySequence &key);

// Lets the keyboard reach a command button with Tab (and press it with Space) while a click
// leaves the focus where it was, so the window's own keys keep working after a click.
void makeTabReachable(QPushButton *button);

} // namespace vorlane::ui
