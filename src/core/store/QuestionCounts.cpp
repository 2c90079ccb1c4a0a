#include "core/store/QuestionCounts.h"

#include "core/store/Database.h"

#include <QSet>

namespace vorlane {

namespace {

const QString PointColumns = QStringLiteral("K3,K4,K5,K6,K7,K8,K9,K10,K11,K12");

QString placeholders(qsizetype count, int first = 1)
{
    QString text;
    for (qsizetype i = 0; i < count; ++i)
        text += (i ? QStringLiteral(",?") : QStringLiteral("?")) + QString::number(first + i);
    return text;
}

// The distinct non-empty values, compared as the bank's keys are (without regard to case).
QStringList distinctKeys(const QStringList &values)
{
    QStringList keys;
    QSet<QString> seen;
    for (const QString &value : values) {
        const QString key = value.trimmed();
        if (!key.isEmpty() && !seen.contains(key.toCaseFolded())) {
            seen.insert(key.toCaseFolded());
            keys << key;
        }
    }
    return keys;
}

QStringList prefixes(const QStringList &points, int length)
{
    QStringList result;
    for (const QString &point : points)
        result << point.left(length);
    return distinctKeys(result);
}

int updateIn(Database &db, const QString &head, const QStringList &keys, const QVariant &delta = {})
{
    if (keys.isEmpty())
        return 0;
    const int first = delta.isValid() ? 2 : 1;
    Statement statement
        = db.prepare(head + QStringLiteral(" IN (") + placeholders(keys.size(), first) + QStringLiteral(")"));
    if (delta.isValid())
        statement.bind(1, delta);
    for (qsizetype i = 0; i < keys.size(); ++i)
        statement.bind(int(first + i), keys.at(i));
    return statement.exec();
}

} // namespace

QuestionCounts::QuestionCounts(Database &db)
    : m_db(db)
{
}

void QuestionCounts::countNewQuestion(const QString &chapterCode, const QStringList &examPoints)
{
    raise(chapterCode, examPoints, 1);
}

void QuestionCounts::uncountQuestion(const QString &chapterCode, const QStringList &examPoints)
{
    raise(chapterCode, examPoints, -1);
}

void QuestionCounts::raise(const QString &chapterCode, const QStringList &examPoints, int delta)
{
    // Fixed-size IN lists (unused places bound to NULL, which matches nothing) keep the three
    // statements prepared once: an import raises counts thousands of times.
    constexpr int ChapterPlaces = 6;
    if (chapterCode.size() > ChapterPlaces) {
        for (qsizetype length = chapterCode.size(); length >= 1; --length)
            m_db.exec(QStringLiteral("UPDATE tab_kmmc SET C3=coalesce(C3,0)+?2 WHERE C1=?1"),
                { chapterCode.left(length), delta });
    } else {
        Statement chapters
            = m_db.cached("UPDATE tab_kmmc SET C3=coalesce(C3,0)+?1 WHERE C1 IN (?2,?3,?4,?5,?6,?7)");
        chapters.bind(1, delta);
        for (int i = 0; i < ChapterPlaces; ++i)
            chapters.bind(2 + i, i < chapterCode.size() ? QVariant(chapterCode.left(i + 1)) : QVariant());
        chapters.exec();
    }

    const QStringList articles = distinctKeys(examPoints);
    if (articles.isEmpty())
        return;
    // A law and a category are different rows (6 and 2 characters), so one statement moves each once.
    QStringList groups = prefixes(articles, 6);
    for (const QString &category : prefixes(articles, 2)) {
        if (!groups.contains(category, Qt::CaseInsensitive))
            groups << category;
    }
    if (articles.size() > 10 || groups.size() > 20) { // more than a question holds: no cached form
        updateIn(m_db, QStringLiteral("UPDATE tab_rule SET q=coalesce(q,0)+?1 WHERE ftid"), articles, delta);
        updateIn(m_db,
            QStringLiteral("UPDATE tab_fgmc SET q=coalesce(q,0)+?1 WHERE length(id) IN (2,6) AND id"), groups,
            delta);
        return;
    }
    Statement rules = m_db.cached(
        "UPDATE tab_rule SET q=coalesce(q,0)+?1 WHERE ftid IN (?2,?3,?4,?5,?6,?7,?8,?9,?10,?11)");
    rules.bind(1, delta);
    for (int i = 0; i < 10; ++i)
        rules.bind(2 + i, i < articles.size() ? QVariant(articles.at(i)) : QVariant());
    rules.exec();
    Statement laws = m_db.cached("UPDATE tab_fgmc SET q=coalesce(q,0)+?1 WHERE length(id) IN (2,6) AND id IN "
                                 "(?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13,?14,?15,?16,?17,?18,?19,?20,?21)");
    laws.bind(1, delta);
    for (int i = 0; i < 20; ++i)
        laws.bind(2 + i, i < groups.size() ? QVariant(groups.at(i)) : QVariant());
    laws.exec();
}

void QuestionCounts::recountExamPoints(const QStringList &examPoints)
{
    const QStringList articles = distinctKeys(examPoints);
    if (articles.isEmpty())
        return;
    const QStringList laws = prefixes(articles, 6);
    const QStringList categories = prefixes(articles, 2);
    // Every count in one pass over the questions: each question's points become one text
    // ",k3,k4,…," and each count is a search in it (",key," for an article, ",law" or
    // ",category" for a prefix), so the bank is read once however many rows are recounted.
    QStringList sums;
    QVariantList values, searches;
    const auto add = [&](const QString &key, const QString &search) {
        values << key;
        searches << search;
        sums << QStringLiteral("coalesce(sum(instr(p,?%1)>0),0)").arg(searches.size());
    };
    for (const QString &article : articles)
        add(article, u',' + article + u',');
    for (const QString &law : laws)
        add(law, u',' + law);
    for (const QString &category : categories)
        add(category, u',' + category);
    QString points = QStringLiteral("','");
    for (const QString &column : PointColumns.split(u','))
        points += QStringLiteral("||coalesce(%1,'')||','").arg(column);
    Statement count = m_db.prepare(QStringLiteral("SELECT ") + sums.join(u',')
        + QStringLiteral(" FROM (SELECT ") + points
        + QStringLiteral(" AS p FROM tab_answ LIMIT -1)")); // LIMIT: built once per row, not once per search
    count.bindAll(searches);
    QList<qint64> counts;
    if (count.next()) {
        for (int i = 0; i < count.columnCount(); ++i)
            counts << count.integer(i);
    }
    count.reset();
    for (qsizetype i = 0; i < values.size(); ++i) {
        const bool article = i < articles.size();
        m_db.exec(article ? QStringLiteral("UPDATE tab_rule SET q=?2 WHERE ftid=?1")
                          : QStringLiteral("UPDATE tab_fgmc SET q=?2 WHERE id=?1 AND length(id) IN (2,6)"),
            { values.at(i), counts.value(i) });
    }
}

void QuestionCounts::recountAll()
{
    // Each question's distinct points once, then grouped counts joined back by key: a few passes
    // over the bank however large, instead of one pass per row counted.
    QString unpivot;
    for (const QString &column : PointColumns.split(u',')) {
        if (!unpivot.isEmpty())
            unpivot += QStringLiteral(" UNION ALL ");
        unpivot += QStringLiteral("SELECT A1,%1 FROM tab_answ WHERE %1<>''").arg(column);
    }
    m_db.execScript(
        QStringLiteral("DROP TABLE IF EXISTS temp.question_points;"
                       "DROP TABLE IF EXISTS temp.point_counts;"
                       "CREATE TEMP TABLE question_points (a1 TEXT, k TEXT COLLATE NOCASE, UNIQUE (a1, k));"
                       "CREATE TEMP TABLE point_counts (k TEXT COLLATE NOCASE PRIMARY KEY, n INTEGER);"));
    m_db.exec(QStringLiteral("INSERT OR IGNORE INTO temp.question_points (a1, k) ") + unpivot);
    m_db.exec(QStringLiteral(
        "INSERT INTO temp.point_counts SELECT k, count(*) FROM temp.question_points GROUP BY k"));
    m_db.exec(QStringLiteral(
        "UPDATE tab_rule SET q=coalesce((SELECT n FROM temp.point_counts c WHERE c.k=tab_rule.ftid),0)"));
    m_db.exec(QStringLiteral("DELETE FROM temp.point_counts"));
    m_db.exec(QStringLiteral(
        "INSERT INTO temp.point_counts SELECT g, count(*) FROM ("
        "SELECT a1, substr(k,1,6) COLLATE NOCASE AS g FROM temp.question_points WHERE length(k)>=6 "
        "UNION SELECT a1, substr(k,1,2) COLLATE NOCASE FROM temp.question_points WHERE length(k)>=2) "
        "GROUP BY g"));
    m_db.exec(QStringLiteral("UPDATE tab_fgmc SET q=coalesce((SELECT n FROM temp.point_counts c "
                             "WHERE c.k=tab_fgmc.id),0) WHERE length(id) IN (2,6)"));
    // The chapter index keeps each row's count to a range scan of the questions below it.
    m_db.exec(QStringLiteral(
        "UPDATE tab_kmmc SET C3=(SELECT count(*) FROM tab_answ a WHERE a.A10>=tab_kmmc.C1 "
        "AND a.A10<tab_kmmc.C1||char(1114111) AND substr(a.A10,1,length(tab_kmmc.C1))=tab_kmmc.C1)"));
    m_db.execScript(QStringLiteral("DROP TABLE temp.question_points; DROP TABLE temp.point_counts;"));
}

} // namespace vorlane
