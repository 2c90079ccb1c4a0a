#pragma once

#include "core/Status.h"

#include <QString>

namespace vorlane {

class Database;

// Identifiers of questions the user adds: "US", chapter code, type id, option count (one digit),
// then a sequence shared by every question whose id begins with "U".
inline constexpr int MaxUserSequence = 9999;

// The sequence as the identifier writes it: five digits below 1000 (7 -> "00007",
// 999 -> "00999"), its own four digits from 1000 to 9999.
QString userSequenceText(int sequence);

// The whole identifier; a sequence above 9999 (or below 1) is refused with the message the
// user sees.
Result<QString> userQuestionId(const QString &chapterCode, int typeId, int optionCount, int sequence);

// One more than the highest sequence in the bank (the last four characters of ids beginning with
// "U", read as a number; 0 when there are none). Raises StoreError.
int nextUserSequence(Database &db);

// The message of the sequence limit.
QString userSequenceLimitMessage();

} // namespace vorlane
