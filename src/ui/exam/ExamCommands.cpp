#include "ui/exam/ExamCommands.h"

#include "core/AppState.h"
#include "core/exam/PaperGenerator.h"
#include "core/store/ProgressCounters.h"
#include "ui/exam/ExamSettingsWindow.h"
#include "ui/exam/ExamWindow.h"
#include "ui/exam/StoredPapersWindow.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"

#include <QApplication>
#include <QRandomGenerator>

namespace vorlane::ui {

namespace {

void restoreCursor()
{
    if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

} // namespace

bool sitNewPaper(UiContext &context, int subject, QWidget *parent, QRandomGenerator &random)
{
    context.state.examSubject = subject;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    exam::PaperGenerator generator(context.db, context.clock, random);
    const Result<exam::PaperIdentity> paper = generator.generate(
        subject, [&context](const QString &stage) { context.progress.showStage(stage); });
    if (!paper) {
        restoreCursor();
        context.progress.hide();
        context.prompt.ask(QObject::tr("错误"), paper.reason(), PromptDialog::Single, PromptDialog::Error);
        return false;
    }
    ExamWindow window(context, parent);
    const bool opened = window.openPaper(*paper);
    restoreCursor();
    context.progress.hide();
    if (!opened) {
        // A paper that cannot be shown is not kept: it would fail again at every review.
        ProgressCounters(context.db, context.clock).dropPaperTable(paper->table);
        return false;
    }
    context.modal.run(window);
    return true;
}

void addExamCommands(CommandDispatcher &dispatcher, UiContext &context, QWidget *menuWindow)
{
    for (int subject = 1; subject <= 5; ++subject) {
        const QString word = subject == 1 ? QStringLiteral("mnks") : QStringLiteral("mnks%1").arg(subject);
        dispatcher.add(word, CommandDispatcher::Cursor::Unchanged, [&context, menuWindow, subject] {
            sitNewPaper(context, subject, menuWindow, *QRandomGenerator::global());
            context.state.examSubject = subject;
        });
    }
    dispatcher.add(
        QStringLiteral("cj"), CommandDispatcher::Cursor::HourglassWhileCreating, [&context, menuWindow] {
            StoredPapersWindow window(context, menuWindow);
            restoreCursor();
            context.modal.run(window);
        });
    dispatcher.add(
        QStringLiteral("szks"), CommandDispatcher::Cursor::HourglassWhileCreating, [&context, menuWindow] {
            ExamSettingsWindow window(context, menuWindow);
            restoreCursor();
            context.modal.run(window);
        });
}

} // namespace vorlane::ui
