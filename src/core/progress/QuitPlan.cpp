#include "core/progress/QuitPlan.h"

#include "core/TimeText.h"
#include "core/progress/StudyPlan.h"
#include "core/store/Database.h"
#include "core/store/StoreError.h"

namespace vorlane {

Result<QuitPlanCheck> checkQuitPlan(Database &db, const QDate &today)
{
    const Result<StudyPlan> plan = readStudyPlan(db);
    if (!plan)
        return plan.status();
    QuitPlanCheck check;
    check.planMark = plan->planMark;
    int todayCount = 0;
    int todayMinutes = 0;
    try {
        Statement log = db.prepare(QStringLiteral("SELECT A2, D1 FROM tab_rz WHERE A1 = ?"));
        log.bind(1, today.toString(Qt::ISODate));
        if (log.next()) {
            todayCount = log.isNull(0) ? 0 : static_cast<int>(log.integer(0));
            todayMinutes = static_cast<int>(timeTextToSeconds(log.text(1)).value_or(0) / 60);
        }
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }

    switch (check.planMark) {
    case StudyPlan::ByAnswers:
        check.target = plan->planAmount;
        check.achieved = todayCount;
        break;
    case StudyPlan::ByMinutes:
        check.target = plan->planTime;
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
