#pragma once

#include "core/Status.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

namespace vorlane {

class Database;

namespace bank {
// The bank file's name in the program's data folder and beside the program.
inline constexpr char FileName[] = "ZRVTQM602941.db";
// The password every bank is keyed with.
inline QByteArray password()
{
    return QByteArrayLiteral("k3v9q2m8x7t4w1p6r5z0");
}
// The schema version stored in PRAGMA user_version.
inline constexpr int SchemaVersion = 2;
} // namespace bank

// The fixed tables every bank carries.
const QStringList &fixedTableNames();

// Refuses a database that lacks a fixed table: a file keyed like a bank that is not one.
Status checkBankTables(Database &db);

// Opens a bank with the bank password and checks that it is one (key, header, every fixed
// table); nothing is written to a file that is refused. Quick enough for every start: it does
// not read the pages further in (checkBankData does).
Result<std::shared_ptr<Database>> openBank(const QString &path);

// The full check of an open bank: every page is read and decrypted, and every b-tree walked
// (PRAGMA quick_check). Seconds on a large bank, so it runs when the user asks for it, not at
// each start. Only reads.
Status checkBankData(Database &db);

// Creates every fixed table of a bank in an empty database, in one transaction.
void createSchema(Database &db);

// Creates a new, empty bank file keyed with the bank password.
Status createEmptyBank(const QString &path);

// Paper tables reach statements as identifiers, so only "tab_exam" followed by digits passes.
bool isPaperTableName(const QString &name);

} // namespace vorlane
