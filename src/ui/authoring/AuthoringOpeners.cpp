#include "ui/shell/AuthoringOpeners.h"

#include "core/AppState.h"
#include "core/authoring/QuestionAuthoring.h"
#include "core/authoring/QuestionImport.h"
#include "ui/authoring/ImportPreviewWindow.h"
#include "ui/authoring/QuestionEditorWindow.h"
#include "ui/authoring/QuestionEntryWindow.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"

#include <QApplication>
#include <QFileDialog>

namespace vorlane::ui {

int openQuestionEntry(
    UiContext &context, QWidget *owner, const QString &chapterCode, const QString &chapterName)
{
    if (chapterCode.size() <= 2) {
        context.prompt.ask(QObject::tr("提示"), QObject::tr("请选择具体章节目录！"), PromptDialog::Single,
            PromptDialog::Information);
        return 0;
    }
    QuestionEntryWindow window(context, chapterCode, chapterName, owner);
    context.modal.run(window);
    return window.savedCount();
}

int openQuestionImport(UiContext &context, QWidget *owner)
{
    QFileDialog chooser(
        owner, QObject::tr("导入试题"), QString(), QObject::tr("CSV 文件 (*.csv);;所有文件 (*)"));
    chooser.setObjectName(QStringLiteral("importFileDialog"));
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    // The program's own dialog: the same in every desktop, and a window tests can drive.
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    if (context.modal.run(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return 0;
    const QString path = chooser.selectedFiles().first();

    QuestionAuthoring authoring(context.db, context.state.examSubject);
    QuestionImport import(authoring);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto preview = import.previewFile(path);
    QApplication::restoreOverrideCursor();
    if (!preview) {
        context.prompt.ask(
            QObject::tr("提示"), preview.reason(), PromptDialog::Single, PromptDialog::Warning);
        return 0;
    }
    ImportPreviewWindow window(context, import, preview.value(), path, owner);
    context.modal.run(window);
    return window.importedCount();
}

bool openQuestionEditor(UiContext &context, QWidget *owner, const QString &questionId)
{
    QuestionEditorWindow window(context, questionId, owner);
    if (!window.loaded())
        return false;
    context.modal.run(window);
    return window.saved();
}

} // namespace vorlane::ui
