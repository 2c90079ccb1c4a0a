#include "core/store/Schema.h"

#include "core/store/Database.h"
#include "core/store/Migrations.h"
#include "core/store/StoreError.h"

#include <QFile>
#include <QRegularExpression>

namespace vorlane {

namespace {

// Codes and keys compare case-insensitively where the bank looks rows up by them;
// answers (A2, E2, E2_1) keep the binary collation, since an answer is right only when
// it is the key to the byte.
const char SchemaSql[] = R"sql(
CREATE TABLE tab_kmmc (
  bh    INTEGER,
  C1    TEXT COLLATE NOCASE PRIMARY KEY,
  C1_1  TEXT,
  C2    TEXT,
  C3    INTEGER DEFAULT 0,
  C4    INTEGER DEFAULT 0,
  D1    INTEGER DEFAULT 0,
  D2    INTEGER DEFAULT 0,
  C6    TEXT DEFAULT '0',
  C7    TEXT,
  jx    TEXT
);
CREATE INDEX ix_kmmc_bh ON tab_kmmc(bh);

CREATE TABLE tab_answ (
  A1     TEXT PRIMARY KEY,
  A2     TEXT,
  A2_1   INTEGER,
  K3 TEXT, K4 TEXT, K5 TEXT, K6 TEXT, K7 TEXT, K8 TEXT, K9 TEXT, K10 TEXT, K11 TEXT, K12 TEXT,
  A10    TEXT,
  A13    INTEGER,
  A14    TEXT,
  E1     TEXT,
  E2     TEXT,
  E2_1   TEXT,
  E3     INTEGER DEFAULT 0,
  E4     INTEGER DEFAULT 0,
  F1     INTEGER DEFAULT 0,
  csbs   TEXT,
  xx     INTEGER,
  ecount INTEGER DEFAULT 0
);
CREATE INDEX ix_answ_chapter ON tab_answ(A10, A13, xx, A1);
CREATE INDEX ix_answ_type ON tab_answ(A13, A10, xx, A1);
-- Only rows with an answer in the open window are in this index, so clearing them all
-- costs what there is to clear, not the size of the bank.
CREATE INDEX ix_answ_pending ON tab_answ(E2_1) WHERE E2_1 <> '';
CREATE INDEX ix_answ_k3 ON tab_answ(K3);

CREATE TABLE tab_exer (
  A1   TEXT PRIMARY KEY,
  A15  TEXT,
  jx   TEXT
);

CREATE TABLE tab_title (
  A1   TEXT PRIMARY KEY,
  A15  TEXT
);

CREATE TABLE tab_tx1 (A1 INTEGER PRIMARY KEY, B1 TEXT, B2 INTEGER DEFAULT 0, B3 INTEGER DEFAULT 0, time REAL DEFAULT 1);
CREATE TABLE tab_tx2 (A1 INTEGER PRIMARY KEY, B1 TEXT, B2 INTEGER DEFAULT 0, B3 INTEGER DEFAULT 0, time REAL DEFAULT 1);
CREATE TABLE tab_tx3 (A1 INTEGER PRIMARY KEY, B1 TEXT, B2 INTEGER DEFAULT 0, B3 INTEGER DEFAULT 0, time REAL DEFAULT 1);
CREATE TABLE tab_tx4 (A1 INTEGER PRIMARY KEY, B1 TEXT, B2 INTEGER DEFAULT 0, B3 INTEGER DEFAULT 0, time REAL DEFAULT 1);
CREATE TABLE tab_tx5 (A1 INTEGER PRIMARY KEY, B1 TEXT, B2 INTEGER DEFAULT 0, B3 INTEGER DEFAULT 0, time REAL DEFAULT 1);

CREATE TABLE tab_fgmc (
  id  TEXT COLLATE NOCASE PRIMARY KEY,
  n   TEXT,
  bh  INTEGER,
  q   INTEGER DEFAULT 0,
  q1  INTEGER DEFAULT 0,
  q2  INTEGER DEFAULT 0,
  q4  INTEGER DEFAULT 0
);

CREATE TABLE tab_rule (
  ftid TEXT COLLATE NOCASE PRIMARY KEY,
  id   TEXT COLLATE NOCASE,
  sn   TEXT,
  n    TEXT,
  q    INTEGER DEFAULT 0,
  q1   INTEGER DEFAULT 0,
  q2   INTEGER DEFAULT 0,
  q4   INTEGER DEFAULT 0
);
CREATE INDEX ix_rule_law ON tab_rule(id);

CREATE TABLE tab_rz (
  A1  TEXT PRIMARY KEY,
  A2  INTEGER DEFAULT 0,
  A3  INTEGER DEFAULT 0,
  B1  INTEGER DEFAULT 0,
  B2  INTEGER DEFAULT 0,
  D1  TEXT,
  A4  TEXT
);

CREATE TABLE tab_plan (
  PlanMark   INTEGER,
  PlanAmount INTEGER,
  PlanTime   INTEGER,
  ExamDate   TEXT,
  LeastMark  INTEGER,
  ExamTime   INTEGER
);

CREATE TABLE tab_cj (
  A1    TEXT COLLATE NOCASE PRIMARY KEY,
  A3    TEXT,
  A3_1  INTEGER,
  D1    TEXT,
  A6    REAL,
  D2    TEXT
);

CREATE TABLE tab_sj (
  sjbs  TEXT,
  cpbs  TEXT
);

CREATE TABLE tab_sitting (
  A1      TEXT COLLATE NOCASE PRIMARY KEY,
  subject INTEGER,
  used    INTEGER DEFAULT 0
);
)sql";

} // namespace

const QStringList &fixedTableNames()
{
    static const QStringList names = {
        QStringLiteral("tab_kmmc"),
        QStringLiteral("tab_answ"),
        QStringLiteral("tab_exer"),
        QStringLiteral("tab_title"),
        QStringLiteral("tab_tx1"),
        QStringLiteral("tab_tx2"),
        QStringLiteral("tab_tx3"),
        QStringLiteral("tab_tx4"),
        QStringLiteral("tab_tx5"),
        QStringLiteral("tab_fgmc"),
        QStringLiteral("tab_rule"),
        QStringLiteral("tab_rz"),
        QStringLiteral("tab_plan"),
        QStringLiteral("tab_cj"),
        QStringLiteral("tab_sj"),
    };
    return names;
}

Status checkBankTables(Database &db)
{
    try {
        const QStringList present = db.userTables();
        QStringList missing;
        for (const QString &name : fixedTableNames())
            if (!present.contains(name, Qt::CaseInsensitive))
                missing << name;
        if (!missing.isEmpty())
            return Status::failure(QStringLiteral("%1 不是题库文件：缺少数据表 %2。")
                                       .arg(db.path(), missing.join(QStringLiteral("、"))));
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
    return {};
}

Result<std::shared_ptr<Database>> openBank(const QString &path)
{
    // A bank from a newer program is refused with the other reading checks, before the open
    // may change its header; an older one is brought forward once it has passed them all.
    auto db = Database::open(path, bank::password(), Database::Mode::OpenExisting, [](Database &opened) {
        if (const Status tables = checkBankTables(opened); !tables)
            return tables;
        if (const int version = bankSchemaVersion(opened); version > bank::SchemaVersion)
            return Status::failure(newerBankMessage(version));
        return Status();
    });
    if (!db)
        return db;
    if (const Status migrated = migrateBank(**db); !migrated)
        return migrated;
    return db;
}

Status checkBankData(Database &db)
{
    try {
        QStringList problems;
        Statement check = db.prepare(QStringLiteral("PRAGMA quick_check(20)"));
        while (check.next())
            problems << check.text(0);
        if (problems == QStringList { QStringLiteral("ok") })
            return {};
        return Status::failure(
            QStringLiteral("题库文件已损坏：%1").arg(db.path()), problems.join(QLatin1Char('\n')));
    } catch (const StoreError &error) {
        return Status::failure(QStringLiteral("题库文件已损坏：%1").arg(db.path()), error.detail());
    }
}

void createSchema(Database &db)
{
    Transaction transaction(db);
    db.execScript(QString::fromUtf8(SchemaSql));
    db.execScript(QStringLiteral("PRAGMA user_version=%1").arg(bank::SchemaVersion));
    transaction.commit();
}

Status createEmptyBank(const QString &path)
{
    auto db = Database::open(path, bank::password(), Database::Mode::CreateNew);
    if (!db)
        return db.status();
    try {
        createSchema(**db);
    } catch (const StoreError &error) {
        // Half a bank must not be mistaken for one later.
        db.value().reset();
        for (const char *suffix : { "", "-wal", "-shm" })
            QFile::remove(path + QLatin1String(suffix));
        return storeFailure(error, QStringLiteral("无法建立题库文件：%1").arg(path));
    }
    return {};
}

bool isPaperTableName(const QString &name)
{
    // Anchored to the whole text: "$" alone would also let a final line break through.
    static const QRegularExpression form(
        QRegularExpression::anchoredPattern(QStringLiteral("tab_exam[0-9]+")));
    return form.match(name).hasMatch();
}

} // namespace vorlane
