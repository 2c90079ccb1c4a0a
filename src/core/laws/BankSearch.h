#pragma once

#include "core/Status.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace vorlane {

class Database;

// One place a phrase was found: an article (its law and title) or a question (its chapter and
// the start of its text).
struct SearchHit
{
    enum class Kind { Article, Question };
    Kind kind = Kind::Article;
    QString key; // ftid or A1
    QString lawId; // articles: the law to open
    QString place; // the law's or the chapter's name
    QString text; // the article's title or the start of the question
};

struct SearchResult
{
    QList<SearchHit> articles;
    QList<SearchHit> questions;
    bool moreArticles = false; // more were found than listed
    bool moreQuestions = false;
    QStringList questionIds() const;
};

// Phrase search over article titles and texts and over question bodies and case stems. The
// text (not the markup) of each is kept in a full-text table of the bank, one token per
// character; triggers note every change to the source rows, and the next search brings the
// table up to date before it looks.
class BankSearch
{
public:
    static constexpr int DefaultLimit = 200;
    using Progress = std::function<void(int done, int total)>;

    explicit BankSearch(Database &db);

    // Whether the table exists and its triggers are in place; a search builds it otherwise.
    bool hasIndex();
    // Builds the table from scratch (a new bank, or one made before the search existed).
    Status rebuild(const Progress &progress = {});
    // Creates the table when missing and applies the changes noted since the last search.
    Status update(const Progress &progress = {});

    // Finds the phrase; at most `limit` articles and `limit` questions are listed.
    Result<SearchResult> find(const QString &phrase, int limit = DefaultLimit);

    // How many characters of a question's text a hit shows.
    static constexpr int StartLength = 40;

private:
    void createTables();
    void indexOne(int kind, const QString &ref);
    QString sourceText(int kind, const QString &ref);

    Database &m_db;
};

} // namespace vorlane
