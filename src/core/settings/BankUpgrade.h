#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace vorlane {

class Clock;
class Database;

namespace settings {

// How an upgrade ended; each outcome has its message, caption and icon.
enum class UpgradeOutcome {
    NoFile, // no path given
    CannotOpen, // not a readable SQLite file holding the bank's tables as plain tables
    OtherProduct, // tab_sj names a product this bank is not
    AlreadyApplied, // this bank already holds the upgrade
    Failed, // the merge failed (a key already present, …): the bank is unchanged
    Succeeded,
};

struct UpgradeReport
{
    UpgradeOutcome outcome = UpgradeOutcome::Failed;
    QString message;
    QString caption;
    int iconPage = 2; // 0 information, 1 warning, 2 error, as the message box numbers them
    QString snapshotPath; // the copy of the bank made before the merge, when one was made
    QString detail; // what went wrong, for the window's status line; empty on success
    int questionsAdded = 0;
};

// The tables an upgrade file carries rows for, in the order they are merged. tab_title (the
// shared stems of composite questions) is merged too when the file has it.
const QStringList &upgradeTables();

// Merges an upgrade file (a plain SQLite file with the bank's tables and a tab_sj row naming the
// upgrade and its product) into the bank, once. The file is foreign input: it is attached by a
// bound path, its tables are checked to be plain tables with exactly the bank's columns before
// anything is read from them, and no statement it holds is ever run. The merge, the tab_sj row
// and the recount of every question counter commit together; before it the bank is copied to a
// dated snapshot beside it.
class BankUpgrade
{
public:
    BankUpgrade(Database &db, const Clock &clock);

    UpgradeReport apply(const QString &path);

    // Test hook: runs inside the merge's transaction, after the rows are copied; a StoreError
    // thrown there must roll everything back.
    void setAfterCopyHook(std::function<void()> hook) { m_afterCopy = std::move(hook); }

private:
    Database &m_db;
    const Clock &m_clock;
    std::function<void()> m_afterCopy;
};

} // namespace settings
} // namespace vorlane
