#pragma once

#include "core/Status.h"
#include "core/exam/PaperGenerator.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace vorlane {

class Clock;
class Database;

namespace exam {

// One row of an open paper, in the paper's order (type, then id).
struct PaperQuestion
{
    QString id;
    QString key; // A2
    int optionCount = 0; // A2_1
    QStringList examPoints; // K3 onwards, up to the first empty one
    QString chapter; // A10
    int type = 0; // A13
    QString note; // A14
    QString lastDate; // E1
    QString lastAnswer; // E2
    QString answer; // E2_1: the answer given in this paper
    bool hasExplanation = false;
    int flag = 0; // F1

    bool isAnswered() const { return !answer.isEmpty(); }
    bool isRight() const; // decided by isRightAnswer, as recording decides it
};

// The body of a question: its own text and, for a sub-question, the shared stem.
struct QuestionText
{
    QString stem; // empty unless the id names a sub-question
    QString body;
    bool hasStem = false;
};

struct GradeResult
{
    double score = 0;
    bool belowPassMark = false;
};

// The exam clock: counts wall-clock time (from the injected Clock) while it runs, keeps
// what it counted while it is stopped.
class ExamClock
{
public:
    explicit ExamClock(const Clock &clock)
        : m_clock(clock)
    {
    }

    void reset();
    // Counts on from the time a paper had already used before the program ended.
    void resumeFrom(qint64 seconds);
    void start();
    void stop();
    bool isCounting() const { return m_counting; }
    qint64 elapsedSeconds() const;
    // "0:09:43": hours not padded.
    QString elapsedText() const;

private:
    const Clock &m_clock;
    bool m_counting = false;
    qint64 m_banked = 0;
    QDateTime m_since;
};

// A paper opened for sitting or review. Every write is one transaction; statement failures
// come back as a Status with the message the window shows.
class ExamPaper
{
public:
    ExamPaper(Database &db, const Clock &clock);

    // Opens the paper: a new one starts with every answer cleared. "无法打开试卷！" when the
    // table is not a paper, holds no question or cannot be read.
    Status open(const PaperIdentity &identity);

    const PaperIdentity &identity() const { return m_identity; }
    bool isNew() const { return m_identity.mode == PaperMode::New; }
    int questionCount() const { return int(m_questions.size()); }
    // Rows are numbered from 1, as the number buttons are.
    const PaperQuestion &question(int row) const { return m_questions.at(row - 1); }

    // Stores the answer on the paper row. A new or changed non-empty answer also counts as a
    // practice answer: the question's row in tab_answ and every counter, all in one unit.
    Status saveAnswer(int row, const QString &answer);
    // Questions of the paper with no answer, as the bank holds them.
    Result<int> unansweredCount();
    // Scores the paper in one statement against the points of the subject's question types,
    // stores score and time and adds the time to today's log. The paper turns "old".
    Result<GradeResult> grade(int subject, const QString &elapsedText);
    // Gives the paper up: its table and row go; when fewer than half its questions were left
    // open, the time still counts in today's log.
    Status abandon(const QString &elapsedText, int unanswered);
    // Removes the paper (table and row).
    void drop();
    // Submitting, or the clock running out, with this many questions still open: a paper left
    // wholly unanswered (as many open as a paper can hold) is dropped without a word; any
    // other is graded, or the user chooses.
    static bool dropsOnSubmit(int unanswered) { return unanswered >= MaxQuestions; }
    static constexpr int MaxQuestions = 100;

    // Voiding from the review, and undoing it: the paper row and the question's own row.
    Status setVoided(int row, bool voided);
    Status saveNote(int row, const QString &note);
    Result<QString> explanation(int row);
    // "找不到该试题！" when the question has no body row.
    Result<QuestionText> questionText(int row);

private:
    Database &m_db;
    const Clock &m_clock;
    PaperIdentity m_identity;
    QList<PaperQuestion> m_questions;
};

} // namespace exam
} // namespace vorlane
