#pragma once

class QRandomGenerator;
class QWidget;

namespace vorlane::ui {

class CommandDispatcher;
struct UiContext;

// Adds the mock-exam words: "mnks" to "mnks5" (a new paper of subject 1 to 5), "cj" (the
// stored papers) and "szks" (the exam settings).
void addExamCommands(CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow);

// Makes a new paper of the subject and sits it in the exam window. On failure the message is
// shown, nothing of the paper is left behind and false comes back.
bool sitNewPaper(UiContext &context, int subject, QWidget *parent, QRandomGenerator &random);

} // namespace vorlane::ui
