#include "TestBank.h"

#include <QDir>
#include <QFile>

#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

using namespace vorlane;
using vorlane::test::TestBank;

namespace {

int runRaw(sqlite3 *db, const QByteArray &sql)
{
    return sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
}

// Opens a file keyed with the bank password and nothing else set: whatever the library's
// defaults are at the time. Returns the result of the first real read.
int readWithLibraryDefaults(const QString &path, const QByteArray &extraSql = {})
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(
        QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const QByteArray key = bank::password();
    sqlite3_key(db, key.constData(), int(key.size()));
    int rc = extraSql.isEmpty() ? SQLITE_OK : runRaw(db, extraSql);
    if (rc == SQLITE_OK)
        rc = runRaw(db, "SELECT count(*) FROM sqlite_master");
    sqlite3_close(db);
    return rc;
}

// What a later SQLCipher does: other defaults for new connections. Put back on leaving.
class OtherLibraryDefaults
{
public:
    OtherLibraryDefaults()
    {
        set("PRAGMA cipher_default_kdf_iter=4000; PRAGMA cipher_default_page_size=4096;"
            "PRAGMA cipher_default_use_hmac=OFF;");
    }
    ~OtherLibraryDefaults()
    {
        set("PRAGMA cipher_default_kdf_iter=64000; PRAGMA cipher_default_page_size=1024;"
            "PRAGMA cipher_default_use_hmac=ON;");
    }

private:
    static void set(const char *sql)
    {
        sqlite3 *db = nullptr;
        sqlite3_open(":memory:", &db);
        runRaw(db, sql);
        sqlite3_close(db);
    }
};

} // namespace

// A bank written before the settings were pinned (by the library's defaults, with no setting
// given) still opens, and new banks are still written the old way, when the defaults change.
TEST(CipherSettings, BanksMadeBeforePinningOpenUnderOtherDefaults)
{
    TestBank source;
    source.exec(QStringLiteral("INSERT INTO tab_fgmc (id, n) VALUES ('01', '法律')"));
    source.close();

    const QString before = QDir(source.dir()).filePath(QStringLiteral("before.db"));
    {
        // Written as every bank so far was: the key and nothing else, the library's defaults.
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(source.path()).constData(), &db), SQLITE_OK);
        const QByteArray key = bank::password();
        sqlite3_key(db, key.constData(), int(key.size()));
        const QByteArray attach
            = "ATTACH DATABASE '" + QFile::encodeName(before) + "' AS old KEY '" + key + "'";
        EXPECT_EQ(runRaw(db, attach), SQLITE_OK) << sqlite3_errmsg(db);
        EXPECT_EQ(runRaw(db, "SELECT sqlcipher_export('old')"), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }
    ASSERT_TRUE(openBank(before));

    const OtherLibraryDefaults later;
    // The test means something only if the changed defaults alone cannot read the old bank.
    ASSERT_NE(readWithLibraryDefaults(before), SQLITE_OK);

    auto opened = openBank(before);
    ASSERT_TRUE(opened) << opened.reason().toStdString();
    EXPECT_EQ((*opened)->scalar(QStringLiteral("SELECT n FROM tab_fgmc WHERE id = '01'")).toString(),
        QStringLiteral("法律"));
    opened.value().reset();

    // A bank made now is written with the pinned settings, readable by the old defaults.
    const QString made = QDir(source.dir()).filePath(QStringLiteral("made.db"));
    ASSERT_TRUE(createEmptyBank(made));
    EXPECT_EQ(readWithLibraryDefaults(
                  made, "PRAGMA cipher_page_size=1024; PRAGMA kdf_iter=64000; PRAGMA cipher_use_hmac=ON;"),
        SQLITE_OK);
}
