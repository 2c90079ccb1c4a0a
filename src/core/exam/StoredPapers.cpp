#include "core/exam/StoredPapers.h"

#include "core/Subject.h"
#include "core/progress/StudyPlan.h"
#include "core/store/Database.h"
#include "core/store/ProgressCounters.h"
#include "core/store/StoreError.h"

#include <cmath>

namespace vorlane::exam {

StoredPapers::StoredPapers(Database &db, const Clock &clock)
    : m_db(db)
    , m_clock(clock)
{
}

Result<QList<StoredPaper>> StoredPapers::list()
{
    QList<StoredPaper> papers;
    try {
        Statement rows
            = m_db.prepare(QStringLiteral("SELECT A1, A3, A3_1, A6, D2 FROM tab_cj ORDER BY A3_1 DESC"));
        while (rows.next()) {
            StoredPaper paper;
            paper.table = rows.text(0).trimmed();
            paper.title = rows.text(1);
            paper.number = int(rows.integer(2));
            if (!rows.isNull(3))
                paper.score = rows.real(3);
            paper.timeUsed = rows.text(4);
            papers << paper;
        }
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
    return papers;
}

int StoredPapers::fullScore(int subject)
{
    try {
        return ProgressCounters(m_db, m_clock).paperTotalScore(Subject::ofExam(subject).number());
    } catch (const StoreError &) {
        return 0;
    }
}

Result<PaperFigures> StoredPapers::figures(int subject)
{
    PaperFigures figures;
    try {
        figures.sat = m_db.scalar(QStringLiteral("SELECT count(*) FROM tab_cj")).toInt();
        const int passing = fullScore(subject) / 5 * 3;
        figures.passed
            = m_db.scalar(QStringLiteral("SELECT count(*) FROM tab_cj WHERE A6 >= ?1"), { passing }).toInt();
        const QVariant average = m_db.scalar(QStringLiteral("select avg(A6) as avg_fs from tab_cj"));
        // nearbyint rounds a half to the even neighbour in the default rounding mode.
        figures.average = average.isNull() ? 0 : int(std::nearbyint(average.toDouble()));
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
    return figures;
}

Status StoredPapers::removePaper(const QString &table)
{
    try {
        Transaction transaction(m_db);
        ProgressCounters(m_db, m_clock).dropPaperTable(table);
        m_db.exec(QStringLiteral("DELETE FROM tab_cj WHERE A1=?1"), { table });
        transaction.commit();
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Write);
    }
    return {};
}

Result<ExamSettings> StoredPapers::settings()
{
    const Result<StudyPlan> plan = readStudyPlan(m_db);
    if (!plan)
        return plan.status();
    ExamSettings settings;
    settings.leastMark = plan->leastMark;
    settings.examTimeSeconds = plan->examTimeSeconds;
    return settings;
}

QString StoredPapers::passMarkNotice(int leastMark)
{
    return QStringLiteral("[提示]：成绩少于 ") + QString::number(leastMark)
        + QStringLiteral(" 分的试卷，不被保留。");
}

int StoredPapers::checkedPassMark(const QString &text, int fullScore, bool *clamped)
{
    const int value = text.trimmed().isEmpty() ? 0 : text.trimmed().toInt();
    const bool over = value > fullScore;
    if (clamped)
        *clamped = over;
    return over ? fullScore : value;
}

ExamSettings StoredPapers::defaultSettings(int fullScore)
{
    return ExamSettings { fullScore / 2, 120 * 60 };
}

Status StoredPapers::saveSettings(const QString &passMarkText, const QString &minutesText)
{
    const QString failed = QStringLiteral("保存设置失败！");
    bool markOk = false;
    bool minutesOk = false;
    const int mark = passMarkText.trimmed().toInt(&markOk);
    const int minutes = minutesText.trimmed().toInt(&minutesOk);
    if (!markOk || !minutesOk || mark < 0 || minutes < 0)
        return Status::failure(failed);
    try {
        Transaction transaction(m_db);
        const bool hasRow = m_db.scalar(QStringLiteral("SELECT count(*) FROM tab_plan")).toInt() > 0;
        if (hasRow)
            m_db.exec(QStringLiteral("UPDATE tab_plan SET LeastMark=?1, ExamTime=?2 "
                                     "WHERE rowid=(SELECT rowid FROM tab_plan LIMIT 1)"),
                { mark, minutes * 60 });
        else
            m_db.exec(QStringLiteral("INSERT INTO tab_plan (LeastMark, ExamTime) VALUES (?1, ?2)"),
                { mark, minutes * 60 });
        transaction.commit();
    } catch (const StoreError &error) {
        return storeFailure(error, failed);
    }
    return {};
}

} // namespace vorlane::exam
