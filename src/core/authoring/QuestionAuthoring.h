#pragma once

#include "core/Status.h"
#include "core/authoring/QuestionDraft.h"
#include "core/practice/PracticeSession.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace vorlane {

class Database;

// An exam point as the authoring windows list it: the article key and its line.
struct ExamPointLine
{
    QString key; // tab_rule ftid
    QString line; // law name "[" article title "]"
};

// A question as the editor loads it.
struct EditableQuestion
{
    QString id;
    QString chapterCode;
    QuestionDraft draft; // stemHtml set only for a sub-question of a case
    QList<ExamPointLine> examPoints; // in K3.. order, with their lines
    int editCount = 0;
    bool hasStem() const { return id.contains(QLatin1Char('-')); }
};

// Adding and changing questions. Each save is one transaction with every count it moves; a
// refused save writes nothing.
class QuestionAuthoring
{
public:
    // The types offered are those of the subject's type table (tab_tx1 to tab_tx5).
    QuestionAuthoring(Database &db, int examSubject);

    // The subject's types in ascending id order; loaded once.
    Result<QList<QuestionType>> types();
    // The type with this name; nullopt-like failure with the message when none has it.
    Result<QuestionType> typeNamed(const QString &name);

    // Refuses headings and codes the catalogue does not hold; gives the chapter's name (C2).
    Result<QString> checkChapter(const QString &chapterCode);
    // Refuses the first exam point the bank does not hold.
    Status checkExamPoints(const QStringList &keys);
    // The lines of the exam points as the lists show them.
    Result<QList<ExamPointLine>> examPointLines(const QStringList &keys);

    // Validates, takes the next user sequence and writes the question with f1 = 2 and every
    // count raised. Gives the new question's id. A failure while writing rolls everything back
    // and gives "保存试题出现错误！"; the sequence limit gives its own message.
    Result<QString> saveNew(const QString &chapterCode, const QuestionDraft &draft);

    Result<EditableQuestion> load(const QString &questionId);
    // Writes body, explanation, key, count, type, exam points (clearing the slots after the
    // last), ecount + 1 and the stem of a case question in one transaction, then recounts the
    // articles, laws and categories named before and after.
    Status saveEdit(const QString &questionId, const QuestionDraft &draft);

    // The message of a failure while writing a question.
    static QString saveFailedMessage();

private:
    // saveNew with the sequence given (0: read from the bank), for an import that takes its
    // sequences in a row instead of reading the bank for each question.
    Result<QString> saveNew(const QString &chapterCode, const QuestionDraft &draft, int sequence);
    Status check(const QString &chapterCode, const QuestionDraft &draft);

    friend class QuestionImport;

    Database &m_db;
    int m_subject;
    std::optional<QList<QuestionType>> m_types;
};

} // namespace vorlane
