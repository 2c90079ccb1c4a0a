#include "core/exam/UnfinishedPapers.h"

#include "core/TimeText.h"
#include "core/exam/ExamPaper.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"
#include "core/store/StoreError.h"

namespace vorlane::exam {

namespace {

Status failed(const StoreError &error)
{
    return storeFailure(error, StoreAction::Write);
}

} // namespace

PaperIdentity UnfinishedPaper::identity() const
{
    PaperIdentity identity;
    identity.table = table;
    identity.title = title;
    identity.mode = PaperMode::New;
    identity.continued = true;
    identity.usedSeconds = usedSeconds;
    return identity;
}

UnfinishedPapers::UnfinishedPapers(Database &db)
    : m_db(db)
{
}

bool UnfinishedPapers::available()
{
    return m_db.tableExists(QStringLiteral("tab_sitting"));
}

Status UnfinishedPapers::begin(const QString &table, int subject)
{
    try {
        if (available())
            m_db.exec(
                QStringLiteral("INSERT OR REPLACE INTO tab_sitting (A1, subject, used) VALUES (?1, ?2, 0)"),
                { table, subject });
    } catch (const StoreError &error) {
        return failed(error);
    }
    return {};
}

Status UnfinishedPapers::storeTime(const QString &table, qint64 usedSeconds)
{
    try {
        if (available())
            m_db.exec(QStringLiteral("UPDATE tab_sitting SET used=?2 WHERE A1=?1"), { table, usedSeconds });
    } catch (const StoreError &error) {
        return failed(error);
    }
    return {};
}

Status UnfinishedPapers::end(const QString &table)
{
    try {
        if (available())
            m_db.exec(QStringLiteral("DELETE FROM tab_sitting WHERE A1=?1"), { table });
    } catch (const StoreError &error) {
        return failed(error);
    }
    return {};
}

Result<QList<UnfinishedPaper>> UnfinishedPapers::list(int subject)
{
    QList<UnfinishedPaper> papers;
    try {
        if (!available())
            return papers;
        Statement rows = m_db.prepare(QStringLiteral(
            "SELECT s.A1, c.A3, s.subject, s.used FROM tab_sitting s JOIN tab_cj c ON c.A1 = s.A1 "
            "WHERE (?1 = 0 OR s.subject = ?1) AND c.A6 IS NULL ORDER BY c.A3_1 DESC"));
        rows.bind(1, subject);
        while (rows.next()) {
            UnfinishedPaper paper;
            paper.table = rows.text(0);
            paper.title = rows.text(1);
            paper.subject = int(rows.integer(2));
            paper.usedSeconds = rows.integer(3);
            if (!isPaperTableName(paper.table.toLower()) || !m_db.tableExists(paper.table))
                continue;
            paper.table = paper.table.toLower();
            paper.questions = m_db.scalar(QStringLiteral("SELECT count(*) FROM ") + paper.table).toInt();
            paper.answered = m_db.scalar(QStringLiteral("SELECT count(*) FROM ") + paper.table
                                     + QStringLiteral(" WHERE E2_1 <> ''"))
                                 .toInt();
            papers.append(paper);
        }
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
    return papers;
}

Status UnfinishedPapers::keepUngraded(const QString &table)
{
    try {
        Transaction transaction(m_db);
        const qint64 used
            = m_db.scalar(QStringLiteral("SELECT used FROM tab_sitting WHERE A1=?1"), { table }).toLongLong();
        m_db.exec(QStringLiteral("UPDATE tab_cj SET D2=?2 WHERE A1=?1 AND A6 IS NULL"),
            { table, elapsedTimeText(used) });
        m_db.exec(QStringLiteral("DELETE FROM tab_sitting WHERE A1=?1"), { table });
        transaction.commit();
    } catch (const StoreError &error) {
        return failed(error);
    }
    return {};
}

} // namespace vorlane::exam
