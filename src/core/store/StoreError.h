#pragma once

#include "core/Status.h"

#include <QString>

#include <stdexcept>

namespace vorlane {

// Raised by the store layer when a statement fails. It never leaves core: services catch it
// at their public edge and hand the window storeFailure(error, …), a Status whose reason the
// user can read while SQLite's text and the statement go to the log.
class StoreError : public std::runtime_error
{
public:
    // What went wrong, in the terms a user's sentence needs.
    enum class Kind { Other, DiskFull, ReadOnly, Busy, Damaged, DiskError };

    explicit StoreError(const QString &detail, Kind kind = Kind::Other)
        : std::runtime_error(detail.toStdString())
        , m_detail(detail)
        , m_kind(kind)
    {
    }
    // SQLite's message and the statement: for the log, never for the user.
    const QString &detail() const { return m_detail; }
    Kind kind() const { return m_kind; }

private:
    QString m_detail;
    Kind m_kind;
};

// Whether the failed work only read the bank or was meant to change it: a failed change is
// rolled back, so the user learns that nothing of it was kept and nothing else was lost.
enum class StoreAction { Read, Write };

// The failure for a window: a short sentence (what happened, whether anything was lost), and
// the technical detail, which is also written to the log (vorlane.store).
Status storeFailure(const StoreError &error, StoreAction action);
// The same with a message of the window's own ("保存设置失败！") in place of the sentence.
Status storeFailure(const StoreError &error, const QString &reason);

// The sentence storeFailure gives a user for an error of this kind.
QString storeFailureSentence(StoreError::Kind kind, StoreAction action);

} // namespace vorlane
