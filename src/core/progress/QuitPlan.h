#pragma once

#include "core/Status.h"

#include <QDate>

namespace vorlane {

class Database;

// How today's practice compares with the study plan when the user quits.
enum class QuitPlanOutcome {
    NoComparison, // the plan mode is neither answers nor minutes: nothing is asked
    Below,
    Met,
    Above,
};

struct QuitPlanCheck
{
    QuitPlanOutcome outcome = QuitPlanOutcome::NoComparison;
    int planMark = 0;
    int target = 0; // PlanAmount or PlanTime, by the mode
    int achieved = 0; // today's answers or whole minutes, by the mode
};

// Compares today's log row with the first row of tab_plan. Empty values count as 0, so a plan
// that was never filled in cannot keep the user from quitting.
Result<QuitPlanCheck> checkQuitPlan(Database &db, const QDate &today);

} // namespace vorlane
