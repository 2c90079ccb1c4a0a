#pragma once

#include "core/Status.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vorlane {

struct QuestionType;

// A question as the user writes it, before it is saved: rich text as HTML, the key as it will be
// stored, the type by id, and the exam points (tab_rule ftid) in order.
struct QuestionDraft
{
    QString bodyHtml;
    QString explanationHtml;
    QString stemHtml; // only for a sub-question of a case, when edited
    int optionCount = 5;
    QString key;
    int typeId = 0;
    QStringList examPoints;
};

inline constexpr int MinOptionCount = 1;
inline constexpr int MaxOptionCount = 7;
inline constexpr int MaxKeyLength = 100;
inline constexpr int MaxExamPoints = 10;
// Rich text beyond this (pasted web pages, documents with embedded styles) is refused: the
// practice windows show every question whole.
inline constexpr int MaxRichTextLength = 64 * 1024;

// The key the entry boxes store: trimmed and in upper case.
QString normalisedKey(const QString &typed);

// True when HTML shows nothing: no text other than blanks and no picture.
bool isBlankHtml(const QString &html);

// Plain text (from a file) as the rich text the bank stores.
QString plainTextToHtml(const QString &text);

// Whether the type is self-assessed: by its name, as entry and editing recognise them, or by the
// answer page of its id.
bool isSelfAssessedType(const QuestionType &type);

// Checks that need no bank: body, key in the canonical form of the type's answer kind, option
// count, sizes, exam points (count, no repeats). The type must be one of types. Returns the
// message for the user.
Status validateDraft(const QuestionDraft &draft, const QList<QuestionType> &types);

} // namespace vorlane
