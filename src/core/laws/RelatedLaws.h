#pragma once

#include "core/Status.h"

#include <QStringList>

namespace vorlane {

class Database;

// The exam points a question tests (its K3..K12 that are filled, in column order). An unknown
// question has none.
Result<QStringList> loadExamPoints(Database &db, const QString &questionId);

// The titles of those articles, sorted; keys without an article are left out.
Result<QStringList> examPointTitles(Database &db, const QStringList &keys);

} // namespace vorlane
