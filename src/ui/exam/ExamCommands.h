#pragma once

class QRandomGenerator;
class QWidget;

namespace vorlane::ui {

class CommandDispatcher;
struct UiContext;

// Adds the mock-exam words: "mnks" to "mnks5" (a new paper of subject 1 to 5), "cj" (the
// stored papers) and "szks" (the exam settings).
void addExamCommands(CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow);

// Offers each paper of the subject (0: any) that the program did not live to end: continued in
// the exam window with its answers and time, or kept ungraded among the stored papers. True
// when one was continued.
bool continueUnfinishedPaper(UiContext &context, int subject, QWidget *parent);

// Offers an unfinished paper of the subject first (above); otherwise makes a new paper of the
// subject and sits it in the exam window. On failure the message is
// shown, nothing of the paper is left behind and false comes back.
bool sitNewPaper(UiContext &context, int subject, QWidget *parent, QRandomGenerator &random);

} // namespace vorlane::ui
