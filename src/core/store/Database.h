#pragma once

#include "core/Status.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace vorlane {

class Database;

// A prepared statement. Values are always bound, never spliced into the text.
// Failures raise StoreError. A statement borrowed from Database::cached() is reset,
// not finalised, when this handle goes away, so the next user finds it ready; while it is
// lent, cached() hands out a private copy of the same text instead.
class Statement
{
public:
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    ~Statement();

    // Positions start at 1, as in SQLite. A null QVariant binds NULL.
    Statement &bind(int position, const QVariant &value);
    Statement &bind(const char *name, const QVariant &value);
    // Binds the values to positions 1, 2, … in order.
    Statement &bindAll(const QVariantList &values);

    // Advances to the next row: true while a row is there, false when done.
    bool next();
    // Runs to completion; returns the number of rows changed.
    int exec();
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    bool isNull(int column) const;
    QString text(int column) const;
    qint64 integer(int column) const;
    double real(int column) const;
    QVariant value(int column) const;

private:
    friend class Database;
    Statement(Database *db, sqlite3_stmt *stmt, bool *lent);
    [[noreturn]] void fail(int code) const;

    Database *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
    bool *m_lent = nullptr; // the cache's "in use" mark of a borrowed statement
};

// One open bank: an SQLCipher connection keyed with the bank password.
class Database
{
public:
    // ReadOnly opens an existing file without writing anything to it and without the full
    // read of quick_check: for looking into copies (snapshots) whose checks the caller chooses.
    enum class Mode { OpenExisting, CreateNew, ReadOnly };
    // Further reading checks (a bank's tables, say), run before anything is written.
    using Check = std::function<Status(Database &)>;

    // Never creates or touches a file unless asked to create a new one; a wrong key, a damaged
    // header, a foreign file, a missing file, or a file the check refuses give the reason
    // instead, and such a file is left exactly as it was.
    static Result<std::shared_ptr<Database>> open(
        const QString &path, const QByteArray &key, Mode mode = Mode::OpenExisting, const Check &check = {});
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    const QString &path() const { return m_path; }

    // Runs statements without parameters (schema, pragmas); raises StoreError.
    void execScript(const QString &sql);
    Statement prepare(const QString &sql);
    // Prepared once per connection and reused: for statements on hot paths. Keyed by the
    // text, so a text built at run time (a paper table's name) is reused as well.
    Statement cached(QByteArrayView sql);

    // Convenience: run one statement with bound values.
    int exec(const QString &sql, const QVariantList &values = {});
    QVariant scalar(const QString &sql, const QVariantList &values = {});

    qint64 lastInsertRowId() const;
    // True inside a Transaction (or any open SQLite transaction).
    bool inTransaction() const;
    bool tableExists(const QString &name);
    QStringList userTables();

    QString lastError() const;
    sqlite3 *handle() const { return m_db; }

    // The cipher settings every bank is written with, set on a connection right after its key,
    // before the first read. A build against a later SQLCipher, whose defaults differ, must
    // still read every bank already on disk. Returns false when the library refuses them.
    static bool pinCipherSettings(sqlite3 *connection);

private:
    Database(sqlite3 *db, QString path);

    sqlite3 *m_db = nullptr;
    QString m_path;
    struct Cached
    {
        sqlite3_stmt *stmt = nullptr;
        bool lent = false;
    };
    struct TextHash
    {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view> {}(text); }
    };
    std::unordered_map<std::string, Cached, TextHash, std::equal_to<>> m_cache;
};

// A unit of work that commits together or not at all. Built on savepoints, so scopes nest:
// an inner scope that is left without commit() rolls back only its own part.
class Transaction
{
public:
    explicit Transaction(Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    Database &m_db;
    bool m_done = false;
};

} // namespace vorlane
