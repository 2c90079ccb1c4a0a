#include "core/progress/Readiness.h"

#include "core/progress/StudyPlan.h"
#include "core/store/Database.h"
#include "core/store/StoreError.h"

#include <cmath>

namespace vorlane {

namespace {

QString dayText(const QDate &date)
{
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

QString scoreText(double score)
{
    return score == std::floor(score) ? QString::number(qint64(score)) : QString::number(score, 'f', 1);
}

// Whole days needed for `left` at `perDay`, rounding up: a part of a day's work is still a day.
qint64 daysFor(qint64 left, double perDay)
{
    return qint64(std::ceil(double(left) / perDay - 1e-9));
}

} // namespace

Readiness::Trend scoreTrend(const QList<double> &scores)
{
    const qsizetype n = scores.size();
    if (n < 2)
        return Readiness::Trend::None;
    double meanX = 0;
    double meanY = 0;
    for (qsizetype i = 0; i < n; ++i) {
        meanX += double(i);
        meanY += scores.at(i);
    }
    meanX /= double(n);
    meanY /= double(n);
    double num = 0;
    double den = 0;
    for (qsizetype i = 0; i < n; ++i) {
        num += (double(i) - meanX) * (scores.at(i) - meanY);
        den += (double(i) - meanX) * (double(i) - meanX);
    }
    const double slope = num / den;
    if (slope >= 1.0)
        return Readiness::Trend::Rising;
    if (slope <= -1.0)
        return Readiness::Trend::Falling;
    return Readiness::Trend::Steady;
}

Result<Readiness> readReadiness(Database &db, const QDate &today)
{
    const Result<StudyPlan> plan = readStudyPlan(db);
    if (!plan)
        return plan.status();
    Readiness r;
    r.examDate = plan->examDate;
    r.passMark = plan->leastMark;
    try {
        // A voided question is out of practice and papers; "zero" marks a void and is no answer.
        Statement counts = db.prepare(
            QStringLiteral("SELECT count(*), "
                           "coalesce(sum(E2 IS NULL OR E2='' OR E2='zero'),0), "
                           "coalesce(sum(E2 IS NOT NULL AND E2<>'' AND E2<>'zero' AND E2 IS NOT A2),0) "
                           "FROM tab_answ WHERE coalesce(F1,0)<>1"));
        if (counts.next()) {
            r.questions = counts.integer(0);
            r.neverAnswered = counts.integer(1);
            r.lastAnswerWrong = counts.integer(2);
        }

        QList<qint64> daily(Readiness::PaceDays, 0);
        const QDate first = today.addDays(1 - Readiness::PaceDays);
        Statement days
            = db.prepare(QStringLiteral("SELECT A1, coalesce(A2,0) FROM tab_rz WHERE A1 BETWEEN ?1 AND ?2"));
        days.bind(1, first.toString(Qt::ISODate)).bind(2, today.toString(Qt::ISODate));
        while (days.next()) {
            const qint64 index = first.daysTo(QDate::fromString(days.text(0), Qt::ISODate));
            if (index >= 0 && index < Readiness::PaceDays)
                daily[index] += days.integer(1);
        }
        r.dailyAnswers = daily;

        Statement scores = db.prepare(QStringLiteral(
            "SELECT A6 FROM tab_cj WHERE A6 IS NOT NULL ORDER BY A3_1 DESC, rowid DESC LIMIT ?1"));
        scores.bind(1, Readiness::ScoreCount);
        while (scores.next())
            r.lastScores.prepend(scores.real(0));
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }

    const qint64 answered = r.questions - r.neverAnswered;
    if (answered > 0)
        r.wrongShare = double(r.lastAnswerWrong) * 100.0 / double(answered);

    qint64 sum = 0;
    for (qint64 answers : r.dailyAnswers)
        sum += answers;
    r.answersPerDay = double(sum) / Readiness::PaceDays;
    if (r.neverAnswered > 0 && r.answersPerDay > 0)
        r.allSeenDay = today.addDays(daysFor(r.neverAnswered, r.answersPerDay));

    if (r.examDate.isValid()) {
        r.daysToExam = int(today.daysTo(r.examDate));
        if (r.daysToExam > 0)
            r.neededPerDay = daysFor(r.neverAnswered, double(r.daysToExam));
    }

    for (double score : r.lastScores)
        if (score >= r.passMark)
            ++r.passedPapers;
    r.trend = scoreTrend(r.lastScores);
    return r;
}

QStringList Readiness::sentences() const
{
    QStringList lines;
    if (questions == 0)
        lines << QStringLiteral("题库中还没有可做的题目。");
    else if (neverAnswered == 0)
        lines << QStringLiteral("题库中的 %1 道题都已至少做过一遍。").arg(questions);
    else
        lines << QStringLiteral("题库共有 %1 道题，还有 %2 道从未做过。").arg(questions).arg(neverAnswered);

    lines << QStringLiteral("最近 %1 天平均每天做题 %2 道次。").arg(PaceDays).arg(answersPerDay, 0, 'f', 1);

    const bool examAhead = examDate.isValid() && daysToExam > 0;
    if (neverAnswered > 0) {
        if (!allSeenDay) {
            lines << QStringLiteral("最近 %1 天没有做题，无法估计何时能把题目都做一遍。").arg(PaceDays);
        } else {
            QString line = QStringLiteral("照这个速度，%1能把所有题目都做一遍").arg(dayText(*allSeenDay));
            const qint64 margin = examAhead ? allSeenDay->daysTo(examDate) : 0;
            if (!examAhead)
                line += QStringLiteral("。");
            else if (margin > 0)
                line += QStringLiteral("，比考试日早 %1 天。").arg(margin);
            else if (margin == 0)
                line += QStringLiteral("，正好赶上考试日。");
            else
                line += QStringLiteral("，比考试日晚 %1 天。").arg(-margin);
            lines << line;
        }
        if (examAhead && (!allSeenDay || *allSeenDay > examDate))
            lines
                << QStringLiteral("要在考试前做完，每天至少需要做 %1 道新题。").arg(neededPerDay.value_or(0));
    }

    if (wrongShare)
        lines << QStringLiteral("做过的题目中，最近一次答错的有 %1 道，占 %2%。")
                     .arg(lastAnswerWrong)
                     .arg(*wrongShare, 0, 'f', 1);

    if (lastScores.isEmpty()) {
        lines << QStringLiteral("还没有模拟考试成绩。");
    } else {
        QStringList texts;
        for (double score : lastScores)
            texts << scoreText(score);
        QString line = QStringLiteral("最近 %1 次模拟考试得分：%2（及格线 %3 分），%4 次及格")
                           .arg(lastScores.size())
                           .arg(texts.join(QStringLiteral("、")))
                           .arg(passMark)
                           .arg(passedPapers);
        switch (trend) {
        case Trend::Rising:
            line += QStringLiteral("，成绩在上升。");
            break;
        case Trend::Falling:
            line += QStringLiteral("，成绩在下降。");
            break;
        case Trend::Steady:
            line += QStringLiteral("，成绩基本持平。");
            break;
        case Trend::None:
            line += QStringLiteral("。");
            break;
        }
        lines << line;
    }
    return lines;
}

} // namespace vorlane
