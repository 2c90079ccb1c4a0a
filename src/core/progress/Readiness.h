#pragma once

#include "core/Status.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <optional>

namespace vorlane {

class Database;

// "Am I ready?": what the bank already knows about the candidate's pace and results, against
// the exam date and the pass mark of the study plan. Each figure is defined in docs/progress.md.
struct Readiness
{
    enum class Trend { None, Rising, Steady, Falling };

    static constexpr int PaceDays = 14;
    static constexpr int ScoreCount = 5;

    qint64 questions = 0; // questions not voided
    qint64 neverAnswered = 0;
    qint64 lastAnswerWrong = 0; // answered questions whose latest answer is not the key
    std::optional<double> wrongShare; // percent of the answered questions; none before any answer

    QList<qint64> dailyAnswers; // answers of the last PaceDays days, oldest first, today last
    double answersPerDay = 0; // their average
    // The day every question will have been answered once at that pace; none when nothing is
    // left or there is no pace.
    std::optional<QDate> allSeenDay;

    QDate examDate; // invalid when unknown
    int daysToExam = 0; // exam date − today
    // Answers a day that would see every question by the exam date; none unless the exam is ahead.
    std::optional<qint64> neededPerDay;

    QList<double> lastScores; // up to ScoreCount graded papers, oldest first
    int passMark = 0;
    int passedPapers = 0; // of lastScores, at or above the pass mark
    Trend trend = Trend::None;

    // The figures in plain sentences, one a line.
    QStringList sentences() const;
};

Result<Readiness> readReadiness(Database &db, const QDate &today);

// The least-squares slope of the scores in points per paper: from +1 rising, to −1 falling.
Readiness::Trend scoreTrend(const QList<double> &scores);

} // namespace vorlane
