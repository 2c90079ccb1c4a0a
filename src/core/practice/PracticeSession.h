#pragma once

#include "core/AppState.h"
#include "core/Status.h"
#include "core/practice/QuestionList.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vorlane {

class Clock;
class Database;
struct AnswerRow;

// One question of a practice list: the tab_answ columns the practice window reads and writes.
struct PracticeQuestion
{
    QString id; // A1
    QString key; // A2
    int optionCount = 0; // A2_1
    QStringList points; // K3..K12 as stored, ten slots
    QString chapterCode; // A10
    int typeId = 0; // A13
    QString note; // A14
    QString lastDate; // E1
    QString lastAnswer; // E2 (null reads as empty)
    QString windowAnswer; // E2_1
    int attempts = 0; // E3
    int wrongScore = 0; // E4
    int voidFlag = 0; // F1
    QString timeUp; // csbs
    int editCount = 0; // ecount

    bool answeredInWindow() const { return !windowAnswer.isEmpty(); }
    bool rightInWindow() const; // decided by isRightAnswer, as recording decides it
    AnswerRow answerRow() const;
    void setAnswerRow(const AnswerRow &row);
    bool isComposite() const { return id.contains(QLatin1Char('-')); }
    // The exam points from K3 on, up to the first empty slot.
    QStringList examPoints() const;
    bool hasExamPoints() const { return !points.value(0).trimmed().isEmpty(); }
    bool hasNote() const { return !note.trimmed().isEmpty(); }
};

// The body of the question shown: its text, the explanation and, for a sub-question, the stem.
struct QuestionBody
{
    QString text;
    QString explanation;
    bool hasExplanation = false; // present and not blank
    QString stem; // empty unless the question is part of a composite one
};

// What recording did with the panel's answer.
struct RecordOutcome
{
    enum Kind { Counted, Repeated, Emptied };
    Kind kind = Emptied;
    bool right = false;
};

enum class IndicatorState { NotAnswered, Right, Wrong };

// A question type of the subject: its id and the caption of its button on the type board.
struct QuestionType
{
    int id = 0;
    QString name;
};

// The types of a subject (1 to 5) in ascending id order.
Result<QList<QuestionType>> loadQuestionTypes(Database &db, int subject);

// The question list of one practice window, its type filter and its groups of 20, and the
// recording of answers. Positions are 1-based within the filtered list; 0 means none.
class PracticeSession
{
public:
    static constexpr int GroupCapacity = 20;
    enum class GroupMove { First, Previous, Next };

    PracticeSession(Database &db, const Clock &clock);

    // Clears the in-window answer of every question in the bank, then loads the list.
    // Answers true when the list holds at least one question.
    Result<bool> openQuestionList(const QuestionListQuery &query);
    // The same for a statement already composed (tests and benchmarks of odd lists).
    Result<bool> openQuestionList(const PracticeListQuery &query);

    // Questions of a type in the whole list, whatever the filter.
    int countOfType(int typeId) const;
    // 0 shows every type. Answers false (and keeps the filter) when the type has no question.
    bool applyTypeFilter(int typeId);
    int typeFilter() const { return m_typeFilter; }

    int count() const { return int(m_filtered.size()); }
    const PracticeQuestion &at(int position) const;
    IndicatorState indicatorState(int position) const;

    // Groups of the filtered list.
    void showGroup(GroupMove move);
    int groupCount() const { return (count() + GroupCapacity - 1) / GroupCapacity; }
    int group() const { return m_group; }
    int groupFirst() const { return m_groupFirst; }
    int groupSize() const { return m_groupSize; }
    int groupLast() const { return m_groupFirst + m_groupSize - 1; }
    bool inGroup(int position) const { return position >= m_groupFirst && position <= groupLast(); }

    int currentPos() const { return m_currentPos; }
    void setCurrentPos(int position) { m_currentPos = position; }

    // Records the panel's answer for a question: a new or changed answer is counted with its
    // row and every counter in one transaction; an empty one only clears the in-window answer.
    Result<RecordOutcome> recordAnswer(int position, const QString &answer);

    // After the question was edited: its key, option count, type, exam points and edit count
    // again as the bank holds them; the answer given in the window stays.
    Status reloadQuestion(int position);

    Status setVoided(int position, bool voided);
    Status saveNote(int position, const QString &note);
    Status markTimeUp(int position);
    Result<QuestionBody> loadBody(const QString &questionId);

    // Adds the window's elapsed time ("h:mm:ss") to today's log and recomputes the averages.
    Status finish(const QString &elapsedTime);

private:
    PracticeQuestion &row(int position);
    void writeRow(const PracticeQuestion &question, const char *sql, const QVariantList &values);

    Database &m_db;
    const Clock &m_clock;
    QList<PracticeQuestion> m_rows;
    QList<int> m_filtered; // indices into m_rows
    int m_typeFilter = -1;
    int m_group = 0;
    int m_groupFirst = 1;
    int m_groupSize = 0;
    int m_currentPos = 0;
};

} // namespace vorlane
