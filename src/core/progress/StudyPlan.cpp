#include "core/progress/StudyPlan.h"

#include "core/store/Database.h"
#include "core/store/StoreError.h"

#include <QRegularExpression>

namespace vorlane {

namespace {

int integerOrZero(Statement &row, int column)
{
    return row.isNull(column) ? 0 : static_cast<int>(row.integer(column));
}

// A daily target: empty reads as 0, otherwise one to three digits.
bool parseTarget(const QString &text, int *value)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        *value = 0;
        return true;
    }
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,3}$"));
    if (!digits.match(trimmed).hasMatch())
        return false;
    *value = trimmed.toInt();
    return true;
}

} // namespace

Result<StudyPlan> readStudyPlan(Database &db)
{
    StudyPlan plan;
    try {
        Statement row
            = db.prepare(QStringLiteral("SELECT PlanMark, PlanAmount, PlanTime, ExamDate, LeastMark, "
                                        "ExamTime FROM tab_plan ORDER BY rowid LIMIT 1"));
        if (row.next()) {
            plan.planMark = integerOrZero(row, 0);
            plan.planAmount = integerOrZero(row, 1);
            plan.planTime = integerOrZero(row, 2);
            plan.examDateText = row.isNull(3) ? QString() : row.text(3);
            plan.leastMark = integerOrZero(row, 4);
            plan.examTimeSeconds = integerOrZero(row, 5);
        }
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
    plan.examDate = parseExamDate(plan.examDateText);
    return plan;
}

QDate parseExamDate(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d{4})\\s*[-/.年]\\s*(\\d{1,2})\\s*[-/.月]\\s*(\\d{1,2})\\s*日?\\s*$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return {};
    // QDate refuses the 31st of June and the 29th of February of a common year itself.
    return QDate(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
}

QString examDateText(const QDate &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

Countdown countdownFor(const QDate &examDate, const QDate &today)
{
    Countdown countdown;
    if (!examDate.isValid() || !today.isValid()) {
        countdown.caption = QStringLiteral("考试日期未知");
        return countdown;
    }
    countdown.days = static_cast<int>(today.daysTo(examDate));
    countdown.number = countdown.days < 1000 ? QString::number(countdown.days) : QStringLiteral("999");
    if (countdown.days < 0) {
        countdown.state = Countdown::State::Over;
        countdown.caption = QStringLiteral("考试已结束！");
    } else if (countdown.days == 0) {
        countdown.state = Countdown::State::Today;
        countdown.caption = QStringLiteral("祝考试成功！");
    } else {
        countdown.state = Countdown::State::Ahead;
        countdown.caption = QStringLiteral("距离考试还有");
        countdown.urgent = countdown.days <= 7;
    }
    return countdown;
}

Status saveStudyPlan(Database &db, const PlanInput &input)
{
    if (input.planMark != StudyPlan::ByAnswers && input.planMark != StudyPlan::ByMinutes)
        return Status::failure(QStringLiteral("请选择一种学习计划！"));
    int amount = 0;
    int minutes = 0;
    if (!parseTarget(input.amountText, &amount) || !parseTarget(input.timeText, &minutes))
        return Status::failure(QStringLiteral("每天的题数和分钟数只能是 0 到 999 的整数！"));
    const QDate examDate = parseExamDate(input.examDateText);
    if (!examDate.isValid())
        return Status::failure(QStringLiteral("考试日期“%1”无效，请按 2027-06-12 的格式重新输入！")
                                   .arg(input.examDateText.trimmed()));
    try {
        Transaction transaction(db);
        const QVariantList values { input.planMark, amount, minutes, examDateText(examDate) };
        const bool hasRow = db.scalar(QStringLiteral("SELECT count(*) FROM tab_plan")).toInt() > 0;
        if (hasRow)
            db.exec(QStringLiteral("UPDATE tab_plan SET PlanMark=?1, PlanAmount=?2, PlanTime=?3, ExamDate=?4 "
                                   "WHERE rowid=(SELECT min(rowid) FROM tab_plan)"),
                values);
        else
            db.exec(QStringLiteral("INSERT INTO tab_plan (PlanMark, PlanAmount, PlanTime, ExamDate) "
                                   "VALUES (?1, ?2, ?3, ?4)"),
                values);
        transaction.commit();
    } catch (const StoreError &error) {
        return storeFailure(error, QStringLiteral("保存学习计划失败！"));
    }
    return {};
}

} // namespace vorlane
