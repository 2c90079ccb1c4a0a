#include "core/store/ProgressCounters.h"

#include "core/Clock.h"
#include "core/Subject.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"
#include "core/store/StoreError.h"

#include <optional>

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

// "UPDATE … WHERE column IN (?3,?4,…)" for as many values as given: the statement cache keys
// statements by their text, so each length is prepared once per connection.
void updateInList(Database &db, const char *head, const QStringList &ids, int first, int wrong)
{
    QByteArray sql(head);
    for (int i = 0; i < ids.size(); ++i)
        sql += (i ? ",?" : "?") + QByteArray::number(i + 3);
    sql += ')';
    Statement statement = db.cached(sql);
    statement.bind(1, first).bind(2, wrong);
    for (int i = 0; i < ids.size(); ++i)
        statement.bind(i + 3, ids.at(i));
    statement.exec();
}

constexpr char ChapterHead[] = "UPDATE tab_kmmc SET C4=coalesce(C4,0)+?1, D1=coalesce(D1,0)+1, "
                               "D2=coalesce(D2,0)+?2 WHERE C1 IN (";
constexpr char ArticleHead[] = "UPDATE tab_rule SET q2=coalesce(q2,0)+1, q1=coalesce(q1,0)+?1, "
                               "q4=coalesce(q4,0)+?2 WHERE ftid IN (";
constexpr char LawHead[] = "UPDATE tab_fgmc SET q2=coalesce(q2,0)+1, q1=coalesce(q1,0)+?1, "
                           "q4=coalesce(q4,0)+?2 WHERE id IN (";

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
    // statement: the prefixes differ from each other, so each row is counted once.
    QStringList prefixes;
    for (qsizetype length = chapterCode.size(); length >= 1; --length)
        prefixes << chapterCode.left(length);
    if (prefixes.isEmpty())
        return;
    updateInList(m_db, ChapterHead, prefixes, yes(firstEver) ? 1 : 0, yes(wrongNow) ? 1 : 0);
}

void ProgressCounters::updateExamPointCounters(const ExamPointLists &lists, Flag firstEver, Flag wrongNow)
{
    const int first = yes(firstEver) ? 1 : 0;
    const int wrong = yes(wrongNow) ? 1 : 0;
    // A question names at most ten exam points; more would not fit its K3..K12.
    const QStringList articles = lists.articles.mid(0, 10);
    const QStringList laws = lists.laws.mid(0, 10);
    const QStringList categories = lists.categories.mid(0, 10);
    if (articles.isEmpty())
        return;
    updateInList(m_db, ArticleHead, articles, first, wrong);
    // Laws and categories share tab_fgmc: one statement for both, unless a law id is also a
    // category id (a point of two characters or fewer), which then counts once for each.
    bool shared = false;
    for (const QString &law : laws)
        shared = shared || categories.contains(law, Qt::CaseInsensitive);
    if (shared) {
        updateInList(m_db, LawHead, laws, first, wrong);
        updateInList(m_db, LawHead, categories, first, wrong);
    } else {
        updateInList(m_db, LawHead, laws + categories, first, wrong);
    }
}

void ProgressCounters::countAnswer(
    const QString &chapterCode, const QStringList &examPoints, const AnswerFlags &flags)
{
    // Inside the caller's transaction a failure already takes everything back; alone, the
    // counters of one answer still move together.
    std::optional<Transaction> transaction;
    if (!m_db.inTransaction())
        transaction.emplace(m_db);
    updateDailyLog(flags.firstToday, flags.wrongNow, flags.wrongBefore);
    updateChapterCounters(chapterCode, flags.firstEver, flags.wrongNow);
    const ExamPointLists lists = ExamPointLists::fromPoints(examPoints);
    if (!lists.isEmpty())
        updateExamPointCounters(lists, flags.firstEver, flags.wrongNow);
    if (transaction)
        transaction->commit();
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
    const Subject of = Subject::fromNumber(subject);
    if (!of.isValid())
        return 0;
    return m_db
        .scalar(QStringLiteral("SELECT coalesce(sum(cast(B2 AS INTEGER)*cast(B3 AS INTEGER)),0) FROM ")
            + of.typeTable())
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
