#pragma once

#include "core/Status.h"
#include "core/exam/PaperGenerator.h"

#include <QList>
#include <QString>

namespace vorlane {

class Database;

namespace exam {

// One piece of an exported paper, in reading order. Core decides what is written and in which
// order; a writer outside core decides how it looks in a file.
struct DocumentBlock
{
    enum class Kind {
        Title, // the paper's title
        Heading, // a section heading
        Text, // a plain paragraph; an empty one is a blank line
        RichText, // HTML of a stem, body, explanation or article; `text` starts its first paragraph
        PageBreak,
    };

    Kind kind = Kind::Text;
    QString text;
    QString html;

    friend bool operator==(const DocumentBlock &, const DocumentBlock &) = default;
};

// Which part of the paper goes into the document.
enum class ExportContent {
    WithAnswers, // questions, then the answers part on a new page
    WithoutAnswers, // questions only: a paper to sit on paper
    WrongOnly, // only the questions not scored in this paper, with their answers
};

// The blocks of a paper in the order a reader meets them: title, sections by question type with
// their questions, then (with answers) a page break and per question its key, explanation and
// exam points. Questions keep their number in the paper, so a reduced export still matches the
// review. `subject` names the type table the section headings come from.
Result<QList<DocumentBlock>> composePaperDocument(
    Database &db, const PaperIdentity &paper, int subject, ExportContent content);

// The reason composePaperDocument gives for a wrong-only export of a paper without a wrong answer.
const QString &noWrongQuestions();

// The file name a paper is suggested under: its title without characters a file name cannot
// hold, with a note for a reduced export, and ".docx".
QString suggestedDocumentName(const QString &title, ExportContent content);

} // namespace exam
} // namespace vorlane
