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

// Opens a bank with the bank password and checks that it is one; nothing is written to a
// file that is refused.
Result<std::shared_ptr<Database>> openBank(const QString &path);

// Creates every fixed table of a bank in an empty database, in one transaction.
void createSchema(Database &db);

// Creates a new, empty bank file keyed with the bank password.
Status createEmptyBank(const QString &path);

// Paper tables reach statements as identifiers, so only "tab_exam" followed by digits passes.
bool isPaperTableName(const QString &name);

} // namespace vorlane
