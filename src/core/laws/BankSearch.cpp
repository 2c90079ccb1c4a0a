#include "core/laws/BankSearch.h"

#include "core/laws/SearchText.h"
#include "core/store/Database.h"
#include "core/store/StoreError.h"

#include <QSet>

namespace vorlane {

namespace {

enum DocKind { ArticleDoc = 1, QuestionDoc = 2, StemDoc = 3 };

// tab_ss holds only the index (contentless): the text is read from the source rows. A changed
// row gets a new docid and its old one is dropped from tab_ssdoc, which every search joins, so
// the stale entry can never be listed. tab_sspend collects the keys the triggers noted.
const char TablesSql[] = R"sql(
CREATE VIRTUAL TABLE IF NOT EXISTS tab_ss USING fts4(content="", t);
CREATE TABLE IF NOT EXISTS tab_ssdoc (
  docid INTEGER PRIMARY KEY AUTOINCREMENT,
  kind  INTEGER NOT NULL,
  ref   TEXT NOT NULL,
  UNIQUE (kind, ref)
);
CREATE TABLE IF NOT EXISTS tab_sspend (
  kind INTEGER NOT NULL,
  ref  TEXT NOT NULL,
  PRIMARY KEY (kind, ref)
);
CREATE TRIGGER IF NOT EXISTS tab_ss_rule_ins AFTER INSERT ON tab_rule
  BEGIN INSERT OR IGNORE INTO tab_sspend VALUES (1, new.ftid); END;
CREATE TRIGGER IF NOT EXISTS tab_ss_rule_upd AFTER UPDATE OF ftid, sn, n ON tab_rule
  BEGIN INSERT OR IGNORE INTO tab_sspend VALUES (1, old.ftid); INSERT OR IGNORE INTO tab_sspend VALUES (1, new.ftid); END;
CREATE TRIGGER IF NOT EXISTS tab_ss_rule_del AFTER DELETE ON tab_rule
  BEGIN INSERT OR IGNORE INTO tab_sspend VALUES (1, old.ftid); END;
CREATE TRIGGER IF NOT EXISTS tab_ss_exer_ins AFTER INSERT ON tab_exer
  BEGIN INSERT OR IGNORE INTO tab_sspend VALUES (2, new.A1); END;
CREATE TRIGGER IF NOT EXISTS tab_ss_exer_upd AFTER UPDATE OF A1, A15 ON tab_exer
  BEGIN INSERT OR IGNORE INTO tab_sspend VALUES (2, old.A1); INSERT OR IGNORE INTO tab_sspend VALUES (2, new.A1); END;
CREATE TRIGGER IF NOT EXISTS tab_ss_exer_del AFTER DELETE ON tab_exer
  BEGIN INSERT OR IGNORE INTO tab_sspend VALUES (2, old.A1); END;
CREATE TRIGGER IF NOT EXISTS tab_ss_title_ins AFTER INSERT ON tab_title
  BEGIN INSERT OR IGNORE INTO tab_sspend VALUES (3, new.A1); END;
CREATE TRIGGER IF NOT EXISTS tab_ss_title_upd AFTER UPDATE OF A1, A15 ON tab_title
  BEGIN INSERT OR IGNORE INTO tab_sspend VALUES (3, old.A1); INSERT OR IGNORE INTO tab_sspend VALUES (3, new.A1); END;
CREATE TRIGGER IF NOT EXISTS tab_ss_title_del AFTER DELETE ON tab_title
  BEGIN INSERT OR IGNORE INTO tab_sspend VALUES (3, old.A1); END;
)sql";

const char *const TriggerNames[]
    = { "tab_ss_rule_ins", "tab_ss_rule_upd", "tab_ss_rule_del", "tab_ss_exer_ins", "tab_ss_exer_upd",
          "tab_ss_exer_del", "tab_ss_title_ins", "tab_ss_title_upd", "tab_ss_title_del" };

QString startOf(const QString &plain)
{
    if (plain.size() <= BankSearch::StartLength)
        return plain;
    return plain.left(BankSearch::StartLength) + QStringLiteral("…");
}

} // namespace

QStringList SearchResult::questionIds() const
{
    QStringList ids;
    for (const SearchHit &hit : questions)
        ids << hit.key;
    return ids;
}

BankSearch::BankSearch(Database &db)
    : m_db(db)
{
}

bool BankSearch::hasIndex()
{
    try {
        if (!m_db.tableExists(QStringLiteral("tab_ss")) || !m_db.tableExists(QStringLiteral("tab_ssdoc"))
            || !m_db.tableExists(QStringLiteral("tab_sspend")))
            return false;
        // A source table that was made again loses its triggers: changes would go unnoticed.
        Statement triggers = m_db.prepare(QStringLiteral(
            "SELECT count(*) FROM sqlite_master WHERE type = 'trigger' AND name LIKE 'tab\\_ss\\_%' "
            "ESCAPE '\\'"));
        triggers.next();
        return triggers.integer(0) == qint64(std::size(TriggerNames));
    } catch (const StoreError &) {
        return false;
    }
}

void BankSearch::createTables()
{
    m_db.execScript(QString::fromUtf8(TablesSql));
}

QString BankSearch::sourceText(int kind, const QString &ref)
{
    switch (kind) {
    case ArticleDoc: {
        Statement query = m_db.cached("SELECT sn, n FROM tab_rule WHERE ftid = ?1");
        query.bind(1, ref);
        if (!query.next())
            return {};
        return query.text(0) + QLatin1Char(' ') + plainTextOfHtml(query.text(1));
    }
    case QuestionDoc: {
        Statement query = m_db.cached("SELECT A15 FROM tab_exer WHERE A1 = ?1");
        query.bind(1, ref);
        return query.next() ? plainTextOfHtml(query.text(0)) : QString();
    }
    case StemDoc: {
        Statement query = m_db.cached("SELECT A15 FROM tab_title WHERE A1 = ?1");
        query.bind(1, ref);
        return query.next() ? plainTextOfHtml(query.text(0)) : QString();
    }
    }
    return {};
}

void BankSearch::indexOne(int kind, const QString &ref)
{
    m_db.cached("DELETE FROM tab_ssdoc WHERE kind = ?1 AND ref = ?2").bind(1, kind).bind(2, ref).exec();
    const QString tokens = searchTokens(sourceText(kind, ref));
    if (tokens.isEmpty())
        return;
    m_db.cached("INSERT INTO tab_ssdoc (kind, ref) VALUES (?1, ?2)").bind(1, kind).bind(2, ref).exec();
    const qint64 docid = m_db.lastInsertRowId();
    m_db.cached("INSERT INTO tab_ss (docid, t) VALUES (?1, ?2)").bind(1, docid).bind(2, tokens).exec();
}

Status BankSearch::rebuild(const Progress &progress)
{
    try {
        Transaction transaction(m_db);
        m_db.execScript(QStringLiteral("DROP TABLE IF EXISTS tab_ss; DROP TABLE IF EXISTS tab_ssdoc; "
                                       "DROP TABLE IF EXISTS tab_sspend;"));
        createTables();
        // Articles first, then questions in the order the chapter lists use: hits come back in
        // docid order, which is then the order a reader expects.
        QList<std::pair<int, QString>> items;
        for (const auto &[kind, sql] : {
                 std::pair { int(ArticleDoc), "SELECT ftid FROM tab_rule ORDER BY ftid" },
                 std::pair { int(QuestionDoc),
                     "SELECT e.A1 FROM tab_exer e LEFT JOIN tab_answ a ON a.A1 = e.A1 "
                     "ORDER BY a.A10, a.xx, e.A1" },
                 std::pair { int(StemDoc), "SELECT A1 FROM tab_title ORDER BY A1" },
             }) {
            Statement query = m_db.prepare(QString::fromLatin1(sql));
            while (query.next())
                items.append({ kind, query.text(0) });
        }
        for (qsizetype i = 0; i < items.size(); ++i) {
            indexOne(items.at(i).first, items.at(i).second);
            if (progress && (i % 1000 == 0 || i + 1 == items.size()))
                progress(int(i + 1), int(items.size()));
        }
        m_db.execScript(QStringLiteral("INSERT INTO tab_ss(tab_ss) VALUES('optimize');"));
        transaction.commit();
        return {};
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Write);
    }
}

Status BankSearch::update(const Progress &progress)
{
    if (!hasIndex())
        return rebuild(progress);
    try {
        Transaction transaction(m_db);
        QList<std::pair<int, QString>> pending;
        {
            Statement query = m_db.cached("SELECT kind, ref FROM tab_sspend");
            while (query.next())
                pending.append({ int(query.integer(0)), query.text(1) });
        }
        if (pending.isEmpty())
            return {};
        for (const auto &[kind, ref] : pending)
            indexOne(kind, ref);
        m_db.cached("DELETE FROM tab_sspend").exec();
        transaction.commit();
        return {};
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Write);
    }
}

Result<SearchResult> BankSearch::find(const QString &phrase, int limit)
{
    SearchResult result;
    const QString match = phraseQuery(phrase);
    if (match.isEmpty())
        return result;
    if (const Status updated = update(); !updated)
        return updated;
    try {
        // Articles and questions are two queries so that a phrase found in thousands of
        // questions still lists its few articles.
        Statement articles = m_db.cached(
            "SELECT r.ftid, r.id, r.sn, f.n FROM tab_ss s JOIN tab_ssdoc d ON d.docid = s.docid "
            "JOIN tab_rule r ON r.ftid = d.ref LEFT JOIN tab_fgmc f ON f.id = r.id "
            "WHERE s.t MATCH ?1 AND d.kind = 1 ORDER BY s.docid LIMIT ?2");
        articles.bind(1, match).bind(2, limit + 1);
        while (articles.next()) {
            if (result.articles.size() == limit) {
                result.moreArticles = true;
                break;
            }
            QString title = articles.text(2);
            while (!title.isEmpty() && title.back().isSpace())
                title.chop(1);
            result.articles.append(SearchHit { SearchHit::Kind::Article, articles.text(0), articles.text(1),
                articles.text(3).trimmed(), title });
        }

        // A stem found lists each question of its case; the start shown is the stem's.
        Statement questions
            = m_db.cached("SELECT d.kind, d.ref FROM tab_ss s JOIN tab_ssdoc d ON d.docid = s.docid "
                          "WHERE s.t MATCH ?1 AND d.kind IN (2, 3) ORDER BY s.docid LIMIT ?2");
        questions.bind(1, match).bind(2, limit + 1);
        QList<std::pair<int, QString>> found;
        while (questions.next())
            found.append({ int(questions.integer(0)), questions.text(1) });
        QSet<QString> listed;
        for (qsizetype f = 0; f < found.size() && f < limit; ++f) {
            const auto &[kind, ref] = found.at(f);
            QList<std::pair<QString, QString>> ids; // question id, chapter name
            if (kind == QuestionDoc) {
                Statement row
                    = m_db.cached("SELECT a.A1, k.C2 FROM tab_answ a LEFT JOIN tab_kmmc k ON k.C1 = a.A10 "
                                  "WHERE a.A1 = ?1");
                row.bind(1, ref);
                if (row.next())
                    ids.append({ row.text(0), row.text(1) });
            } else {
                // Sub-questions are the stem's id, "-" and a number: the range "-" to "." holds them.
                Statement rows
                    = m_db.cached("SELECT a.A1, k.C2 FROM tab_answ a LEFT JOIN tab_kmmc k ON k.C1 = a.A10 "
                                  "WHERE a.A1 > ?1 || '-' AND a.A1 < ?1 || '.' ORDER BY a.A1");
                rows.bind(1, ref);
                while (rows.next())
                    ids.append({ rows.text(0), rows.text(1) });
            }
            if (ids.isEmpty())
                continue;
            const QString start = startOf(sourceText(kind, ref));
            for (const auto &[id, chapter] : ids) {
                if (listed.contains(id))
                    continue;
                if (result.questions.size() == limit) {
                    result.moreQuestions = true;
                    return result;
                }
                listed.insert(id);
                result.questions.append(
                    SearchHit { SearchHit::Kind::Question, id, QString(), chapter.trimmed(), start });
            }
        }
        result.moreQuestions = found.size() > limit;
        return result;
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
}

} // namespace vorlane
