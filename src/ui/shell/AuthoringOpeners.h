#pragma once

#include "ui/shell/UiContext.h"

#include <QString>

class QWidget;

// Openers of the authoring windows, for the windows of other subsystems that offer them (the
// catalogue, the practice window). Each opens its window owned by `owner` through the modal
// runner. Defined with the authoring windows.
namespace vorlane::ui {

// "试题录入" for a catalogue row: a heading (code of one or two characters) is refused with its
// message. Returns how many questions were saved.
int openQuestionEntry(
    UiContext &context, QWidget *owner, const QString &chapterCode, const QString &chapterName);

// "导入试题": asks for a CSV file, shows the preview of its rows and imports the good ones.
// Returns how many questions were imported.
int openQuestionImport(UiContext &context, QWidget *owner);

// "修改本题": the editor on one question. True when it was saved.
bool openQuestionEditor(UiContext &context, QWidget *owner, const QString &questionId);

} // namespace vorlane::ui
