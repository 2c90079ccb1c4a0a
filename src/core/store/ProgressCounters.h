#pragma once

#include "core/TimeText.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vorlane {

class Clock;
class Database;

// The yes/no flags handed to the counters are stored and compared as 2 and 1.
enum class Flag : int { No = 1, Yes = 2 };

inline Flag flagOf(bool yes)
{
    return yes ? Flag::Yes : Flag::No;
}

// The facts about one recorded answer that the counters need, computed by the caller from
// the question's row before it overwrites it.
struct AnswerFlags
{
    Flag firstToday = Flag::Yes; // no answer to this question recorded today yet
    Flag wrongNow = Flag::No; // the answer just recorded is wrong
    Flag wrongBefore = Flag::Yes; // the answer stored before was wrong, or there was none
    Flag firstEver = Flag::Yes; // this is the question's first recorded answer
};

// The exam points of a question with the laws and categories they belong to, in the same
// order and with duplicates kept.
struct ExamPointLists
{
    QStringList articles;
    QStringList laws;
    QStringList categories;

    static ExamPointLists fromPoints(const QStringList &points);
    bool isEmpty() const { return articles.isEmpty(); }
};

// The counters that every recorded answer moves: today's log row, the chapter and its
// ancestors in the catalogue, and the exam points with their laws and categories.
// Statements raise StoreError; callers wrap one answer's row and all its counters in one
// Transaction so that they commit together or not at all.
class ProgressCounters
{
public:
    ProgressCounters(Database &db, const Clock &clock);

    void updateDailyLog(Flag firstToday, Flag wrongNow, Flag wrongBefore);
    void updateChapterCounters(const QString &chapterCode, Flag firstEver, Flag wrongNow);
    void updateExamPointCounters(const ExamPointLists &lists, Flag firstEver, Flag wrongNow);

    // All three, for one recorded answer.
    void countAnswer(const QString &chapterCode, const QStringList &examPoints, const AnswerFlags &flags);

    // After a practice or exam: adds the elapsed time to today's row, recomputes today's
    // average and the score of every catalogue row.
    void refreshAveragesAndTime(const QString &elapsedTime);

    // Full score of a paper of the subject: the sum of B2 × B3 over its question types.
    int paperTotalScore(int subject);

    // Removes a paper table and its tab_cj row together; quietly does nothing for a name
    // that is not a paper table.
    void dropPaperTable(const QString &tableName);

private:
    Database &m_db;
    const Clock &m_clock;
};

} // namespace vorlane
