#include "ui/exam/ExamCommands.h"

#include "core/AppState.h"
#include "core/TimeText.h"
#include "core/exam/ExamPaper.h"
#include "core/exam/PaperGenerator.h"
#include "core/exam/UnfinishedPapers.h"
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

bool continueUnfinishedPaper(UiContext &context, int subject, QWidget *parent)
{
    exam::UnfinishedPapers unfinished(context.db);
    const Result<QList<exam::UnfinishedPaper>> found = unfinished.list(subject);
    if (!found || found->isEmpty())
        return false;
    for (const exam::UnfinishedPaper &paper : *found) {
        const QString text
            = QObject::tr("上次的模拟考试“%1”没有结束（已答 %2/%3 题，用时 %4）。要继续答这份试卷么？"
                          "\n选“取消”则把它作为未评分的试卷保存在“查阅试卷”中。")
                  .arg(paper.title)
                  .arg(paper.answered)
                  .arg(paper.questions)
                  .arg(elapsedTimeText(paper.usedSeconds));
        if (context.prompt.ask(QObject::tr("提示"), text, PromptDialog::OkCancel, PromptDialog::Information)
            != PromptDialog::Left) {
            if (const Status kept = unfinished.keepUngraded(paper.table); !kept)
                context.prompt.ask(
                    QObject::tr("错误"), kept.reason(), PromptDialog::Single, PromptDialog::Error);
            continue;
        }
        context.state.examSubject = paper.subject;
        ExamWindow window(context, parent);
        const bool opened = window.openPaper(paper.identity());
        context.progress.hide();
        if (opened)
            context.modal.run(window);
        return true;
    }
    return false;
}

bool sitNewPaper(UiContext &context, int subject, QWidget *parent, QRandomGenerator &random)
{
    if (continueUnfinishedPaper(context, subject, parent))
        return true;
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
