#pragma once

#include "core/Status.h"

#include <QString>
#include <QStringList>

namespace vorlane {

// Where the user's bank lives: the path given with --bank, else VORLANE_BANK, else the bank in
// the user's data folder, which is seeded from the demo bank beside the program on first start.
struct BankLocation
{
    QString path;
    bool explicitPath = false; // chosen by --bank or VORLANE_BANK: used as it is, never seeded
};

BankLocation locateBank(const QStringList &arguments, const QString &appDir);

// Whether two paths name the same bank file: relative paths, "..", links and a missing file's
// folder links are resolved before comparing. An empty path is no bank.
bool sameBankFile(const QString &first, const QString &second);

// Copies the bank shipped under appDir/data/ to the location when nothing is there yet.
Status seedBankIfMissing(const BankLocation &location, const QString &appDir);

} // namespace vorlane
