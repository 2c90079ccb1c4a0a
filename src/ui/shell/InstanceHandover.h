#pragma once

#include <QString>

class QWidget;

namespace vorlane::ui {

class PromptDialog;

// What the running program does when a later start hands over to it: it comes to the front, and
// when the later start asked for another bank than the one open here it says so, instead of
// quietly showing this one as if it were the other. Nothing is asked while the message box is
// already up (the box is what comes to the front then).
void answerLaterStart(
    QWidget *mainWindow, PromptDialog &prompt, const QString &openBank, const QString &requestedBank);

} // namespace vorlane::ui
