#include "core/laws/Articles.h"

#include "core/store/Database.h"
#include "core/store/StoreError.h"

#include <QCoreApplication>

#include <limits>

namespace vorlane {

namespace {

QString withoutTrailingBlanks(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    text.truncate(end);
    return text;
}

} // namespace

QString Article::listText() const
{
    if (!hasQuestions())
        return title;
    return title + QLatin1Char('(') + QString::number(counters.questions) + QLatin1Char(')');
}

QString Article::note() const
{
    if (!hasQuestions())
        return QCoreApplication::translate("LawsBrowser", "虽然针对该内容的习题没有，您仍要仔细阅读！");
    return QCoreApplication::translate(
        "LawsBrowser", "相关题数：%1题  已做题数：%2题  已做道次：%3次  做错道次：%4次")
        .arg(counters.questions)
        .arg(counters.done)
        .arg(counters.answers)
        .arg(counters.wrong);
}

Result<QList<Article>> loadArticles(Database &db, const QString &lawId)
{
    try {
        QList<Article> articles;
        Statement query = db.prepare(QStringLiteral(
            "SELECT ftid, id, sn, n, q, q1, q2, q4 FROM tab_rule WHERE id = ?1 ORDER BY ftid"));
        query.bind(1, lawId.trimmed());
        while (query.next()) {
            articles.append(Article { query.text(0), query.text(1), withoutTrailingBlanks(query.text(2)),
                query.text(3), { query.integer(4), query.integer(5), query.integer(6), query.integer(7) } });
        }
        return articles;
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
}

int keyPointMinimum(qint64 lawQuestions, qint64 articleCount)
{
    if (articleCount <= 0)
        return 1;
    return int(qBound(qint64(1), lawQuestions / articleCount, qint64(std::numeric_limits<int>::max())));
}

int keyPointMinimum(Database &db, const QString &lawId, qint64 lawQuestions)
{
    try {
        const QVariant count
            = db.scalar(QStringLiteral("SELECT count(*) FROM tab_rule WHERE id = ?1"), { lawId.trimmed() });
        return keyPointMinimum(lawQuestions, count.toLongLong());
    } catch (const StoreError &) {
        return 1;
    }
}

Result<OpenLaw> OpenLaw::open(Database &db, const LawRow &law)
{
    Result<QList<Article>> articles = loadArticles(db, law.id);
    if (!articles)
        return articles.status();
    OpenLaw opened;
    opened.m_law = law;
    opened.m_minimum = vorlane::keyPointMinimum(db, law.id, law.counters.questions);
    opened.m_articles = std::move(articles.value());
    opened.m_shown = opened.m_articles;
    return opened;
}

bool OpenLaw::toggleKeyPoints()
{
    if (m_keyPointsShown) {
        m_shown = m_articles;
        m_keyPointsShown = false;
        return true;
    }
    QList<Article> keyPoints;
    for (const Article &article : std::as_const(m_articles))
        if (article.counters.questions >= m_minimum)
            keyPoints.append(article);
    if (keyPoints.isEmpty()) {
        m_shown = m_articles;
        return false;
    }
    m_shown = std::move(keyPoints);
    m_keyPointsShown = true;
    return true;
}

} // namespace vorlane
