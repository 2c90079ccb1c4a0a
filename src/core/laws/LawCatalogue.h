#pragma once

#include "core/Status.h"

#include <QList>
#include <QString>

namespace vorlane {

class Database;

// The four counters a law and an article carry: questions that test it, of those the ones
// answered at least once, the answers given and the wrong ones among them.
struct LawCounters
{
    qint64 questions = 0; // q
    qint64 done = 0; // q1
    qint64 answers = 0; // q2
    qint64 wrong = 0; // q4
};

// One row of the law catalogue: a law category (heading) or a law.
struct LawRow
{
    QString id;
    QString name;
    LawCounters counters;

    bool isHeading() const;
};

// Category ids are one or two characters long; only a law (six characters) can be opened.
bool isLawHeading(const QString &id);

// The catalogue in display order (bh, then id so that equal numbers keep one order).
Result<QList<LawRow>> loadLawCatalogue(Database &db);

// A counter as the grid shows it: right-aligned with blanks to nine characters.
QString counterCell(qint64 value);

// The search of the catalogue: the first row, from the top, whose name contains the trimmed
// text. -1 when the text is blank or no row matches (the selection then stays).
int findLawRow(const QList<LawRow> &rows, const QString &text);

} // namespace vorlane
