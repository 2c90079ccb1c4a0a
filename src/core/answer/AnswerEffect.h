#pragma once

#include "core/store/ProgressCounters.h"

#include <QDate>
#include <QString>

namespace vorlane {

// The columns of a question's row that a recorded answer reads or changes.
struct AnswerRow
{
    QString key; // A2
    QString lastDate; // E1: the day of the last counted answer
    QString lastAnswer; // E2: empty when never answered, "zero" once voided
    QString windowAnswer; // E2_1: the answer given in the open window or paper
    int attempts = 0; // E3
    int wrongScore = 0; // E4: below zero while on the wrong list
};

// What one answer does to its question: the row's new values and, when it counts, the flags
// for the counters. Practice, the exam paper and article practice all record through it.
struct AnswerEffect
{
    enum class Kind {
        Counted, // new or changed: the row and every counter move
        Repeated, // the window's answer again: only the answer columns are written
        Emptied, // the panel was cleared: only the window's answer is cleared
    };
    Kind kind = Kind::Emptied;
    bool right = false;
    AnswerRow row;
    AnswerFlags flags; // meaningful when counted

    bool counted() const { return kind == Kind::Counted; }
};

// Right means equal to the key character for character (isRightAnswer). The day (E1) moves
// only with a counted answer: an answer repeated after midnight must not make the next change
// look like a second answer of the new day, which would take the day's wrong count below zero.
AnswerEffect answerEffect(const AnswerRow &stored, const QString &answer, const QDate &today);

} // namespace vorlane
