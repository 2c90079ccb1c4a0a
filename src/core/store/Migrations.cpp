#include "core/store/Migrations.h"

#include "core/store/Database.h"
#include "core/store/Schema.h"
#include "core/store/StoreError.h"

namespace vorlane {

namespace {

struct Migration
{
    int version; // the version the bank has after this step
    const char *sql; // the statements; empty when only the number changes
};

// Forward only: a step, once released, is never changed or removed.
constexpr Migration Migrations[] = {
    { 1, "" }, // the tables as every bank so far has them; the number is set for the first time
    // The papers being sat, so that one the program did not live to end can be continued.
    { 2,
        "CREATE TABLE IF NOT EXISTS tab_sitting (A1 TEXT COLLATE NOCASE PRIMARY KEY, subject INTEGER, used "
        "INTEGER DEFAULT "
        "0);" },
};

static_assert(std::size(Migrations) == bank::SchemaVersion, "one step per schema version");

} // namespace

int bankSchemaVersion(Database &db)
{
    return db.scalar(QStringLiteral("PRAGMA user_version")).toInt();
}

QString newerBankMessage(int bankVersion)
{
    return QStringLiteral("这个题库由较新版本的本软件保存（题库版本 %1，本软件只认识到版本 %2），"
                          "本软件无法安全地使用它。请安装新版本的本软件。")
        .arg(bankVersion)
        .arg(bank::SchemaVersion);
}

Status migrateBank(Database &db, bool writable)
{
    try {
        const int version = bankSchemaVersion(db);
        if (version > bank::SchemaVersion)
            return Status::failure(newerBankMessage(version));
        if (version == bank::SchemaVersion)
            return {};
        bool changesTables = false;
        for (const Migration &step : Migrations)
            changesTables |= step.version > version && step.sql[0] != '\0';
        if (!writable) {
            if (changesTables)
                return Status::failure(
                    QStringLiteral("这个题库需要先升级到本软件的格式，但题库文件不能写入。"));
            return {};
        }
        Transaction transaction(db);
        for (const Migration &step : Migrations)
            if (step.version > version && step.sql[0] != '\0')
                db.execScript(QString::fromUtf8(step.sql));
        // user_version takes no bound value; the number is the program's own constant.
        db.execScript(QStringLiteral("PRAGMA user_version=%1").arg(bank::SchemaVersion));
        transaction.commit();
    } catch (const StoreError &error) {
        return Status::failure(QStringLiteral("题库格式升级失败，题库没有改变。"), error.detail());
    }
    return {};
}

} // namespace vorlane
