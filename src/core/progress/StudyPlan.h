#pragma once

#include "core/Status.h"

#include <QDate>
#include <QString>

namespace vorlane {

class Database;

// The first row of tab_plan: the study plan and the two exam settings. Every reader of the
// plan goes through readStudyPlan(), so the plan window, the quit check and the exam agree.
// Empty columns read as 0.
struct StudyPlan
{
    enum Mode { ByAnswers = 0, ByMinutes = 1 };

    int planMark = ByAnswers; // any other value: no daily plan
    int planAmount = 0; // answers per day
    int planTime = 0; // minutes per day
    QString examDateText; // as stored
    QDate examDate; // invalid when the stored text is not a date
    int leastMark = 0; // pass mark of a mock paper, in points
    int examTimeSeconds = 0; // 0: the exam clock never ends the exam
};

Result<StudyPlan> readStudyPlan(Database &db);

// An exam date as the user or the bank writes it: "2027-06-12", "2027/6/12", "2027.6.12" or
// "2027年6月12日". Anything else gives an invalid date.
QDate parseExamDate(const QString &text);
// The form the bank stores and the date box shows.
QString examDateText(const QDate &date);

// The countdown to the exam as the plan window shows it.
struct Countdown
{
    enum class State { Unknown, Ahead, Today, Over };

    State state = State::Unknown;
    int days = 0; // exam date − today; 0 when unknown
    QString caption; // "距离考试还有", "祝考试成功！", "考试已结束！" or "考试日期未知"
    QString number; // the days, "999" from 1000 on; shown only while ahead
    bool urgent = false; // 1 to 7 days left: drawn in red rather than green
    bool showsNumber() const { return state == State::Ahead; }
};

Countdown countdownFor(const QDate &examDate, const QDate &today);

// The plan as the window hands it over for saving: the mode and the texts of its boxes.
struct PlanInput
{
    int planMark = StudyPlan::ByAnswers;
    QString amountText;
    QString timeText;
    QString examDateText;
};

// Stores both targets, the mode and the exam date in the first row of tab_plan (made when
// the table is empty), leaving the exam settings alone. Refuses, storing nothing, a target
// that is not a whole number of at most three digits and a date that is not a date.
Status saveStudyPlan(Database &db, const PlanInput &input);

} // namespace vorlane
