#pragma once

#include "core/Status.h"

#include <QString>

#include <memory>

namespace vorlane {

class Database;
struct BankLocation;

// Why the program cannot work on its bank, in words for the user, and what they can do.
struct BankRefusal
{
    enum class Kind {
        Missing, // no file, or a folder where the file should be
        NotABank, // wrong password, a plain or foreign file, an empty one
        Damaged, // pages that fail the check, a truncated file
        ReadOnly, // the file or its folder cannot be written
        Locked, // another program holds the bank
        DiskFull, // no room left for the bank to grow
        Newer, // written by a newer version of the program
        Other,
    };
    Kind kind = Kind::Other;
    QString reason; // the store's reason, in Chinese
    QString detail; // the technical reason, for the log

    // A good snapshot can take the place of the file.
    bool restoreHelps() const
    {
        return kind == Kind::NotABank || kind == Kind::Damaged || kind == Kind::Missing;
    }
    // What the user can do about it.
    QString advice() const;
    // "无法连接数据库！" first, then the reason and the advice.
    QString message() const;
};

// The bank opened for the program, or why not.
struct BankOpening
{
    std::shared_ptr<Database> db;
    BankRefusal refusal;
    bool ok() const { return db != nullptr; }
};

// Opens the user's bank for the program: seeded on first start, refused before anything is
// written when the file or its folder cannot be written or the disk is full, then the full
// check of openBank, then a write lock taken and let go (waiting a few seconds for another
// program to finish) so that a bank that passes here can be written, not only read.
BankOpening openBankForWork(const BankLocation &location, const QString &appDir);

// The free space below which the program does not start on a bank: an answer or an ended
// session must not fail for want of room.
inline constexpr qint64 MinimumFreeBytes = 8 * 1024 * 1024;

// Sorts a refusal of openBank by its reason.
BankRefusal::Kind refusalKindOf(const QString &reason);

} // namespace vorlane
