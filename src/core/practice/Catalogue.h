#pragma once

#include "core/Status.h"
#include "core/practice/QuestionList.h"

#include <QList>
#include <QString>

#include <optional>

namespace vorlane {

class Database;

// One row of the catalogue grid: a subject, part or chapter with its counters.
struct CatalogueRow
{
    QString code; // C1
    QString label; // C1_1, shown on the practice window's notice board
    QString name; // C2
    qint64 questions = 0;
    qint64 done = 0;
    qint64 answers = 0;
    qint64 wrong = 0;
    QString score;
};

// The four totals over the leaf chapters. The score exists only once an answer is recorded.
struct CatalogueTotals
{
    static constexpr qint64 QuestionDisplayCap = 10000;
    qint64 questions = 0; // already capped for display
    qint64 answers = 0;
    qint64 wrong = 0;
    std::optional<QString> score;
};

// Catalogue rows in display order, without the hidden "xx" row.
// The smallest text above every catalogue code that begins with `code` (its last character
// moved one on), so that a prefix test can walk the chapter index as a range; the prefix test
// stays the rule. The paper draw and the practice lists both use it.
QString prefixUpperBound(const QString &code);

Result<QList<CatalogueRow>> loadCatalogue(Database &db);
Result<CatalogueTotals> loadCatalogueTotals(Database &db);

// Subject and part headings (codes of one or two characters) cannot be practised.
bool isPractisableCode(const QString &code);

// The question list of a mode for a catalogue code. The double-click start lists new
// questions without the question-id tie-break.
PracticeListQuery practiceListQuery(PracticeMode mode, const QString &code, bool byDoubleClick = false);

} // namespace vorlane
