#pragma once

#include "core/Status.h"

namespace vorlane {

class Database;

// The schema version a bank carries in PRAGMA user_version. Banks made before it was kept
// read 0. Each later version of the program that changes the tables adds a numbered step.
int bankSchemaVersion(Database &db);

// Refuses a bank written by a newer program (its tables may mean something this one does not
// know) with a message to show; brings an older bank forward through every step above its
// version, all in one transaction with the new number, so a failure leaves it as it was.
// A bank that cannot be written is left at its version when no step changes a table.
Status migrateBank(Database &db, bool writable = true);

// The message for a bank newer than the program.
QString newerBankMessage(int bankVersion);

} // namespace vorlane
