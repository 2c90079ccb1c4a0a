#include "core/progress/QuitPlan.h"

#include "core/store/Database.h"
#include "core/store/ProgressCounters.h"
#include "core/store/StoreError.h"

namespace vorlane {

namespace {

int integerOrZero(Statement &row, int column)
{
    return row.isNull(column) ? 0 : static_cast<int>(row.integer(column));
}

} // namespace

Result<QuitPlanCheck> checkQuitPlan(Database &db, const QDate &today)
{
    QuitPlanCheck check;
    int planAmount = 0;
    int planTime = 0;
    int todayCount = 0;
    int todayMinutes = 0;
    try {
        Statement plan = db.prepare(
            QStringLiteral("SELECT PlanMark, PlanAmount, PlanTime FROM tab_plan ORDER BY rowid LIMIT 1"));
        if (plan.next()) {
            check.planMark = integerOrZero(plan, 0);
            planAmount = integerOrZero(plan, 1);
            planTime = integerOrZero(plan, 2);
        }
        Statement log = db.prepare(QStringLiteral("SELECT A2, D1 FROM tab_rz WHERE A1 = ?"));
        log.bind(1, today.toString(Qt::ISODate));
        if (log.next()) {
            todayCount = integerOrZero(log, 0);
            todayMinutes = static_cast<int>(timeTextToSeconds(log.text(1)).value_or(0) / 60);
        }
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }

    switch (check.planMark) {
    case 0:
        check.target = planAmount;
        check.achieved = todayCount;
        break;
    case 1:
        check.target = planTime;
        check.achieved = todayMinutes;
        break;
    default:
        return check;
    }
    if (check.achieved < check.target)
        check.outcome = QuitPlanOutcome::Below;
    else if (check.achieved == check.target)
        check.outcome = QuitPlanOutcome::Met;
    else
        check.outcome = QuitPlanOutcome::Above;
    return check;
}

} // namespace vorlane
