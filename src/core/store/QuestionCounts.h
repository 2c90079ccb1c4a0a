#pragma once

#include <QString>
#include <QStringList>

namespace vorlane {

class Database;

// The question counts that tell how many questions sit under each catalogue row (tab_kmmc C3)
// and name each article, law and category (q of tab_rule and tab_fgmc). Anything that adds,
// changes or merges questions keeps them right through these operations; nothing else writes
// them.
//
// The rules, the same in every operation:
// - a catalogue row counts the questions whose chapter code (A10) begins with its code: the
//   chapter itself and its parts and subject;
// - an article counts the questions naming it in K3 to K12;
// - a law (6-character id) counts the questions naming at least one of its articles (the
//   first 6 characters of the exam point), a category (2-character id) likewise by the first 2
//   characters, as the answer counters key them. Rows of other lengths are left alone.
// A question that names an article, law or category more than once counts once.
//
// Statements raise StoreError; callers hold the Transaction that makes the question's rows and
// its counts one unit.
class QuestionCounts
{
public:
    explicit QuestionCounts(Database &db);

    // One question was added under chapterCode naming examPoints (empty entries ignored).
    void countNewQuestion(const QString &chapterCode, const QStringList &examPoints);

    // A question was removed: the reverse of countNewQuestion.
    void uncountQuestion(const QString &chapterCode, const QStringList &examPoints);

    // The exam points of an existing question changed: recounts these articles with their laws
    // and categories from the question rows. Pass the points held before and after the change,
    // so that an article the question no longer names drops too.
    void recountExamPoints(const QStringList &examPoints);

    // Every count from the question rows, set-based: for a new bank, a merge, or a repair.
    void recountAll();

private:
    void raise(const QString &chapterCode, const QStringList &examPoints, int delta);

    Database &m_db;
};

} // namespace vorlane
