#include "core/store/Database.h"

#include "core/store/StoreError.h"

#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

#include <QFileInfo>

namespace vorlane {

namespace {

QString errorText(sqlite3 *db, int code)
{
    const char *message = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    return QString::fromUtf8(message ? message : sqlite3_errstr(code));
}

StoreError::Kind errorKind(int code)
{
    switch (code & 0xff) {
    case SQLITE_FULL:
        return StoreError::Kind::DiskFull;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        return StoreError::Kind::ReadOnly;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return StoreError::Kind::Busy;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return StoreError::Kind::Damaged;
    case SQLITE_IOERR:
        return StoreError::Kind::DiskError;
    default:
        return StoreError::Kind::Other;
    }
}

} // namespace

// ---- Statement ------------------------------------------------------------------------------

Statement::Statement(Database *db, sqlite3_stmt *stmt, bool *lent)
    : m_db(db)
    , m_stmt(stmt)
    , m_lent(lent)
{
    if (m_lent)
        *m_lent = true;
}

Statement::Statement(Statement &&other) noexcept
    : m_db(other.m_db)
    , m_stmt(other.m_stmt)
    , m_lent(other.m_lent)
{
    other.m_stmt = nullptr;
    other.m_lent = nullptr;
}

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        this->~Statement();
        m_db = other.m_db;
        m_stmt = other.m_stmt;
        m_lent = other.m_lent;
        other.m_stmt = nullptr;
        other.m_lent = nullptr;
    }
    return *this;
}

Statement::~Statement()
{
    if (!m_stmt)
        return;
    if (m_lent) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        *m_lent = false;
    } else {
        sqlite3_finalize(m_stmt);
    }
}

void Statement::fail(int code) const
{
    const QString sql = QString::fromUtf8(sqlite3_sql(m_stmt));
    throw StoreError(
        errorText(m_db->handle(), code) + QStringLiteral(" [") + sql + QLatin1Char(']'), errorKind(code));
}

Statement &Statement::bind(int position, const QVariant &value)
{
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, position);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            rc = sqlite3_bind_int64(m_stmt, position, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, position, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob64(m_stmt, position, bytes.constData(), bytes.size(), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray utf8 = value.toString().toUtf8();
            rc = sqlite3_bind_text64(
                m_stmt, position, utf8.constData(), utf8.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

Statement &Statement::bind(const char *name, const QVariant &value)
{
    const int position = sqlite3_bind_parameter_index(m_stmt, name);
    if (position == 0)
        throw StoreError(QStringLiteral("no parameter %1 in [%2]")
                             .arg(QString::fromUtf8(name), QString::fromUtf8(sqlite3_sql(m_stmt))));
    return bind(position, value);
}

Statement &Statement::bindAll(const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values.at(i));
    return *this;
}

bool Statement::next()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(rc);
}

int Statement::exec()
{
    while (next()) { }
    return sqlite3_changes(m_db->handle());
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

QString Statement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return data ? QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column)) : QString();
}

qint64 Statement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

double Statement::real(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

QVariant Statement::value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return integer(column);
    case SQLITE_FLOAT:
        return real(column);
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_column_blob(m_stmt, column)),
            sqlite3_column_bytes(m_stmt, column));
    case SQLITE_NULL:
        return {};
    default:
        return text(column);
    }
}

// ---- Database -------------------------------------------------------------------------------

Database::Database(sqlite3 *db, QString path)
    : m_db(db)
    , m_path(std::move(path))
{
}

Database::~Database()
{
    for (auto &[sql, cached] : m_cache)
        sqlite3_finalize(cached.stmt);
    sqlite3_close_v2(m_db);
}

Result<std::shared_ptr<Database>> Database::open(
    const QString &path, const QByteArray &key, Mode mode, const Check &check)
{
    using Opened = Result<std::shared_ptr<Database>>;
    const QFileInfo info(path);
    if (mode != Mode::CreateNew && !info.isFile())
        return Opened::failure(QStringLiteral("找不到题库文件：%1").arg(path));
    if (mode == Mode::CreateNew && info.exists())
        return Opened::failure(QStringLiteral("文件已存在：%1").arg(path));
    const QString cannotOpen = QStringLiteral("无法打开题库文件：%1").arg(path);

    const int access = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    const int flags = access | SQLITE_OPEN_NOMUTEX | (mode == Mode::CreateNew ? SQLITE_OPEN_CREATE : 0);
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, flags, nullptr);
    std::shared_ptr<Database> db(new Database(raw, path));
    if (rc != SQLITE_OK)
        return Opened::failure(cannotOpen, errorText(raw, rc));
    // Another program holding the bank gets a few seconds to finish before it counts as locked.
    sqlite3_busy_timeout(raw, 5000);

    // Everything up to the pragmas at the end only reads, so a file that is refused is left
    // exactly as it was.
    try {
        // No key: an ordinary SQLite file, such as an upgrade file.
        if (!key.isEmpty()
            && (sqlite3_key(raw, key.constData(), int(key.size())) != SQLITE_OK || !pinCipherSettings(raw)))
            throw StoreError(errorText(raw, SQLITE_ERROR));
        // A plain SQLite linked by mistake would accept the key and store the bank in clear text.
        if (db->scalar(QStringLiteral("PRAGMA cipher_version")).toString().isEmpty())
            throw StoreError(QStringLiteral("the SQLite library in use cannot encrypt (no cipher_version)"));
    } catch (const StoreError &error) {
        return Opened::failure(cannotOpen, error.detail());
    }

    try {
        // A wrong key or a file that is not a database fails on this first real read: page 1,
        // the header, is decrypted and its HMAC checked, and the schema is parsed. A file shorter
        // than its header says is damaged here too. Pages further in are checked on demand
        // (checkBankData): reading every page costs the user seconds on a large bank at each start.
        const int tables = db->scalar(QStringLiteral("SELECT count(*) FROM sqlite_master")).toInt();
        // SQLite takes an empty file for an empty database and would write to it; an empty
        // file here is a copy that never finished, not a bank.
        if (mode != Mode::CreateNew && tables == 0)
            return Opened::failure(QStringLiteral("%1 不是题库文件：其中没有任何数据表。").arg(path));
        if (check)
            if (const Status checked = check(*db); !checked)
                return checked;
    } catch (const StoreError &error) {
        if (error.kind() == StoreError::Kind::Damaged && (sqlite3_errcode(raw) & 0xff) == SQLITE_NOTADB)
            return Opened::failure(
                cannotOpen + QStringLiteral("\n密码不符，或者文件已损坏、不是题库文件。"), error.detail());
        if (error.kind() == StoreError::Kind::Damaged)
            return Opened::failure(QStringLiteral("题库文件已损坏：%1").arg(path), error.detail());
        return Opened::failure(cannotOpen, error.detail());
    }

    if (mode == Mode::ReadOnly)
        return db;

    try {
        // WAL, so that a commit is one sync of the log; synchronous FULL, so that a recorded
        // answer is on disk when its commit returns and neither a crash of the program nor a
        // power loss takes it back. Only now, with every check passed, may the header change;
        // a file without a key (an upgrade file) keeps the journal it has.
        if (!key.isEmpty()
            && db->scalar(QStringLiteral("PRAGMA journal_mode"))
                    .toString()
                    .compare(QLatin1String("wal"), Qt::CaseInsensitive)
                != 0)
            db->execScript(QStringLiteral("PRAGMA journal_mode=WAL;"));
        // A cache of up to 64 MiB (it grows only as pages are read) keeps the catalogue, the
        // laws and the articles in memory, so recording an answer reads little from disk.
        db->execScript(QStringLiteral("PRAGMA synchronous=FULL; PRAGMA temp_store=MEMORY;"
                                      "PRAGMA busy_timeout=5000; PRAGMA cache_size=-65536;"));
    } catch (const StoreError &error) {
        return Opened::failure(cannotOpen, error.detail());
    }
    return db;
}

bool Database::pinCipherSettings(sqlite3 *connection)
{
    // The values SQLCipher 3 writes by default, which every bank so far was made with. The
    // algorithm pragmas are those of later versions; SQLCipher 3 knows only these algorithms
    // and passes over pragmas it does not know.
    static const char Settings[] = "PRAGMA cipher_page_size=1024; PRAGMA kdf_iter=64000;"
                                   "PRAGMA cipher_use_hmac=ON; PRAGMA cipher_hmac_algorithm=HMAC_SHA1;"
                                   "PRAGMA cipher_kdf_algorithm=PBKDF2_HMAC_SHA1;";
    return sqlite3_exec(connection, Settings, nullptr, nullptr, nullptr) == SQLITE_OK;
}

void Database::execScript(const QString &sql)
{
    char *message = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const QString reason = message ? QString::fromUtf8(message) : errorText(m_db, rc);
        sqlite3_free(message);
        throw StoreError(reason + QStringLiteral(" [") + sql + QLatin1Char(']'), errorKind(rc));
    }
}

Statement Database::prepare(const QString &sql)
{
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &stmt, nullptr);
    if (rc != SQLITE_OK)
        throw StoreError(errorText(m_db, rc) + QStringLiteral(" [") + sql + QLatin1Char(']'), errorKind(rc));
    return Statement(this, stmt, nullptr);
}

Statement Database::cached(QByteArrayView sql)
{
    const std::string_view text(sql.data(), size_t(sql.size()));
    auto found = m_cache.find(text);
    if (found == m_cache.end()) {
        sqlite3_stmt *stmt = nullptr;
        const int rc = sqlite3_prepare_v2(m_db, sql.data(), int(sql.size()), &stmt, nullptr);
        if (rc != SQLITE_OK)
            throw StoreError(
                errorText(m_db, rc) + QStringLiteral(" [") + QString::fromUtf8(sql) + QLatin1Char(']'),
                errorKind(rc));
        found = m_cache.emplace(std::string(text), Cached { stmt, false }).first;
    }
    // Borrowing it twice at once would let the second user reset the first one's rows.
    if (found->second.lent)
        return prepare(QString::fromUtf8(sql));
    return Statement(this, found->second.stmt, &found->second.lent);
}

int Database::exec(const QString &sql, const QVariantList &values)
{
    Statement statement = prepare(sql);
    statement.bindAll(values);
    return statement.exec();
}

QVariant Database::scalar(const QString &sql, const QVariantList &values)
{
    Statement statement = prepare(sql);
    statement.bindAll(values);
    return statement.next() ? statement.value(0) : QVariant();
}

qint64 Database::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

bool Database::inTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

bool Database::tableExists(const QString &name)
{
    return scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name=?1 "
                                 "COLLATE NOCASE"),
               { name })
               .toInt()
        > 0;
}

QStringList Database::userTables()
{
    QStringList names;
    Statement statement = prepare(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
        "ORDER BY name"));
    while (statement.next())
        names << statement.text(0);
    return names;
}

QString Database::lastError() const
{
    return QString::fromUtf8(sqlite3_errmsg(m_db));
}

// ---- Transaction ----------------------------------------------------------------------------

// One fixed savepoint name: SQLite acts on the innermost savepoint of a name, which is this
// scope's because scopes nest, and the three statements can then be prepared once.
namespace {
constexpr char BeginSql[] = "SAVEPOINT vorlane_unit";
constexpr char RollbackSql[] = "ROLLBACK TO vorlane_unit";
constexpr char ReleaseSql[] = "RELEASE vorlane_unit";
} // namespace

Transaction::Transaction(Database &db)
    : m_db(db)
{
    m_db.cached(BeginSql).exec();
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    try {
        m_db.cached(RollbackSql).exec();
        m_db.cached(ReleaseSql).exec();
    } catch (const StoreError &) {
        // Nothing more can be done while unwinding; SQLite has already rolled back on fatal errors.
    }
}

void Transaction::commit()
{
    m_db.cached(ReleaseSql).exec();
    m_done = true;
}

} // namespace vorlane
