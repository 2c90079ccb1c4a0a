#pragma once

#include "core/Status.h"
#include "core/laws/LawCatalogue.h"

#include <QList>
#include <QString>

namespace vorlane {

class Database;

// One article (exam point) of a law.
struct Article
{
    QString key; // ftid
    QString lawId; // id
    QString title; // sn, trailing blanks removed
    QString text; // n, rich text
    LawCounters counters;

    bool hasQuestions() const { return counters.questions > 0; }
    // The article list's item: the title, with "(q)" when questions test it.
    QString listText() const;
    // The line under the article's text: its counters, or a reminder to read it anyway.
    QString note() const;
};

// The articles of a law in key order; every value is bound.
Result<QList<Article>> loadArticles(Database &db, const QString &lawId);

// The least question count of a key point: the law's questions divided by its articles,
// at least 1 (also when the law has no articles or no questions).
int keyPointMinimum(qint64 lawQuestions, qint64 articleCount);
// The same, counting the law's articles in the bank; a failed count gives 1.
int keyPointMinimum(Database &db, const QString &lawId, qint64 lawQuestions);

// The articles of the open law and the key-point filter over them. The articles are read once
// when the law is opened; the filter narrows them without reading again.
class OpenLaw
{
public:
    OpenLaw() = default;
    static Result<OpenLaw> open(Database &db, const LawRow &law);

    const LawRow &law() const { return m_law; }
    int keyPointMinimum() const { return m_minimum; }
    bool isEmpty() const { return m_articles.isEmpty(); }
    bool keyPointsShown() const { return m_keyPointsShown; }
    // The articles listed now, all or only the key points.
    const QList<Article> &shown() const { return m_shown; }

    // Switches between all articles and the key points. False when there is no key point:
    // the full list stays (or comes back) and the state does not change.
    bool toggleKeyPoints();

private:
    LawRow m_law;
    int m_minimum = 1;
    QList<Article> m_articles;
    QList<Article> m_shown;
    bool m_keyPointsShown = false;
};

} // namespace vorlane
