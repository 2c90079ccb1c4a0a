#include "core/store/ProgressCounters.h"

#include "core/Clock.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"
#include "core/store/StoreError.h"

#include <array>

namespace vorlane {

namespace {

bool yes(Flag flag)
{
    return flag == Flag::Yes;
}

QString isoDate(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

// "… IN (?3,?4,…)" statements for one to ten values, made once, so that each can be a
// reused prepared statement (the cache keys statements by the address of their text).
struct InListStatements
{
    std::array<QByteArray, 11> rule;
    std::array<QByteArray, 11> law;

    InListStatements()
    {
        for (int count = 1; count <= 10; ++count) {
            QByteArray placeholders;
            for (int i = 0; i < count; ++i)
                placeholders += (i ? ",?" : "?") + QByteArray::number(i + 3);
            rule[count] = "UPDATE tab_rule SET q2=coalesce(q2,0)+1, q1=coalesce(q1,0)+?1, "
                          "q4=coalesce(q4,0)+?2 WHERE ftid IN ("
                + placeholders + ")";
            law[count] = "UPDATE tab_fgmc SET q2=coalesce(q2,0)+1, q1=coalesce(q1,0)+?1, "
                         "q4=coalesce(q4,0)+?2 WHERE id IN ("
                + placeholders + ")";
        }
    }
};

const InListStatements &inListStatements()
{
    static const InListStatements statements;
    return statements;
}

void runInList(Database &db, const QByteArray &sql, const QStringList &ids, int firstEver, int wrongNow)
{
    Statement statement = db.cached(sql.constData());
    statement.bind(1, firstEver).bind(2, wrongNow);
    for (int i = 0; i < ids.size(); ++i)
        statement.bind(i + 3, ids.at(i));
    statement.exec();
}

} // namespace

ExamPointLists ExamPointLists::fromPoints(const QStringList &points)
{
    ExamPointLists lists;
    for (const QString &point : points) {
        if (point.trimmed().isEmpty())
            continue;
        lists.articles << point;
        lists.laws << point.left(6);
        lists.categories << point.left(2);
    }
    return lists;
}

ProgressCounters::ProgressCounters(Database &db, const Clock &clock)
    : m_db(db)
    , m_clock(clock)
{
}

void ProgressCounters::updateDailyLog(Flag firstToday, Flag wrongNow, Flag wrongBefore)
{
    // B2 counts the questions whose latest answer today is wrong: a first answer today adds
    // to it when wrong; a later one moves it when the answer turns from right to wrong or back.
    int wrongQuestionsDelta = 0;
    if (yes(firstToday))
        wrongQuestionsDelta = yes(wrongNow) ? 1 : 0;
    else if (!yes(wrongBefore) && yes(wrongNow))
        wrongQuestionsDelta = 1;
    else if (yes(wrongBefore) && !yes(wrongNow))
        wrongQuestionsDelta = -1;

    const QString today = isoDate(m_clock.today());
    Statement update
        = m_db.cached("UPDATE tab_rz SET A2=coalesce(A2,0)+1, A3=coalesce(A3,0)+?2, B1=coalesce(B1,0)+?3, "
                      "B2=coalesce(B2,0)+?4 WHERE A1=?1");
    update.bind(1, today)
        .bind(2, yes(wrongNow) ? 1 : 0)
        .bind(3, yes(firstToday) ? 1 : 0)
        .bind(4, wrongQuestionsDelta);
    if (update.exec() > 0)
        return;

    // The day's first answer opens its row; it is one distinct question whatever the flags say.
    Statement insert = m_db.cached("INSERT INTO tab_rz (A1, A2, A3, B1, B2) VALUES (?1, 1, ?2, 1, ?2)");
    insert.bind(1, today).bind(2, yes(wrongNow) ? 1 : 0).exec();
}

void ProgressCounters::updateChapterCounters(const QString &chapterCode, Flag firstEver, Flag wrongNow)
{
    // The chapter row and every shorter prefix that names a row (parts and the subject), in one
    // statement: the prefixes differ from each other, so each row is counted once. Unused
    // slots stay NULL, which matches nothing.
    constexpr qsizetype Slots = 6;
    const int first = yes(firstEver) ? 1 : 0;
    const int wrong = yes(wrongNow) ? 1 : 0;
    if (chapterCode.size() > Slots) {
        for (qsizetype length = chapterCode.size(); length >= 1; --length)
            m_db.exec(QStringLiteral("UPDATE tab_kmmc SET C4=coalesce(C4,0)+?2, D1=coalesce(D1,0)+1, "
                                     "D2=coalesce(D2,0)+?3 WHERE C1=?1"),
                { chapterCode.left(length), first, wrong });
        return;
    }
    Statement update = m_db.cached("UPDATE tab_kmmc SET C4=coalesce(C4,0)+?1, D1=coalesce(D1,0)+1, "
                                   "D2=coalesce(D2,0)+?2 WHERE C1 IN (?3,?4,?5,?6,?7,?8)");
    update.bind(1, first).bind(2, wrong);
    for (qsizetype length = chapterCode.size(); length >= 1; --length)
        update.bind(int(3 + chapterCode.size() - length), chapterCode.left(length));
    update.exec();
}

void ProgressCounters::updateExamPointCounters(const ExamPointLists &lists, Flag firstEver, Flag wrongNow)
{
    const InListStatements &statements = inListStatements();
    const int first = yes(firstEver) ? 1 : 0;
    const int wrong = yes(wrongNow) ? 1 : 0;
    auto run = [&](const std::array<QByteArray, 11> &byCount, const QStringList &ids) {
        if (ids.isEmpty())
            return;
        // A question names at most ten exam points; more would not fit its K3..K12.
        const QStringList bounded = ids.mid(0, 10);
        runInList(m_db, byCount[bounded.size()], bounded, first, wrong);
    };
    run(statements.rule, lists.articles);
    run(statements.law, lists.laws);
    run(statements.law, lists.categories);
}

void ProgressCounters::countAnswer(
    const QString &chapterCode, const QStringList &examPoints, const AnswerFlags &flags)
{
    // Inside the caller's transaction this is one more savepoint; alone it still keeps the
    // counters of one answer in step with each other.
    Transaction transaction(m_db);
    updateDailyLog(flags.firstToday, flags.wrongNow, flags.wrongBefore);
    updateChapterCounters(chapterCode, flags.firstEver, flags.wrongNow);
    const ExamPointLists lists = ExamPointLists::fromPoints(examPoints);
    if (!lists.isEmpty())
        updateExamPointCounters(lists, flags.firstEver, flags.wrongNow);
    transaction.commit();
}

void ProgressCounters::refreshAveragesAndTime(const QString &elapsedTime)
{
    const QString today = isoDate(m_clock.today());
    Transaction transaction(m_db);
    Statement day = m_db.cached("SELECT D1 FROM tab_rz WHERE A1=?1");
    day.bind(1, today);
    if (day.next()) {
        const QString logged = day.text(0);
        day.reset();
        const std::optional<qint64> before = timeTextToSeconds(logged);
        const std::optional<qint64> elapsed = timeTextToSeconds(elapsedTime);
        if (!before || !elapsed)
            throw StoreError(QStringLiteral("用时格式错误：%1 + %2").arg(logged, elapsedTime));
        // The percentage is formatted by SQLite, as the catalogue scores are below, so that
        // the log and the catalogue always round alike.
        m_db.cached("UPDATE tab_rz SET D1=?2, A4=CASE WHEN coalesce(A2,0)<=0 THEN '0' "
                    "ELSE printf('%.2f', (A2-coalesce(A3,0))*100.0/A2) END WHERE A1=?1")
            .bind(1, today)
            .bind(2, elapsedTimeText(*before + *elapsed, HourDigits::Two))
            .exec();
    }
    m_db.cached("UPDATE tab_kmmc SET C6=CASE WHEN coalesce(D1,0)<=0 THEN '0' "
                "ELSE printf('%.2f', (D1-coalesce(D2,0))*100.0/D1) END")
        .exec();
    transaction.commit();
}

int ProgressCounters::paperTotalScore(int subject)
{
    if (subject < 1 || subject > 5)
        return 0;
    return m_db
        .scalar(
            QStringLiteral("SELECT coalesce(sum(cast(B2 AS INTEGER)*cast(B3 AS INTEGER)),0) FROM tab_tx%1")
                .arg(subject))
        .toInt();
}

void ProgressCounters::dropPaperTable(const QString &tableName)
{
    if (!isPaperTableName(tableName))
        return;
    try {
        if (!m_db.tableExists(tableName))
            return;
        Transaction transaction(m_db);
        m_db.execScript(QStringLiteral("DROP TABLE \"%1\"").arg(tableName));
        m_db.exec(QStringLiteral("DELETE FROM tab_cj WHERE A1=?1"), { tableName });
        transaction.commit();
    } catch (const StoreError &) {
        // Removing a paper is tidying up; a failure leaves both in place and is not the caller's concern.
    }
}

} // namespace vorlane
