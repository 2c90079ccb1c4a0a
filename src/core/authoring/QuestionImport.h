#pragma once

#include "core/Status.h"
#include "core/authoring/QuestionDraft.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace vorlane {

class QuestionAuthoring;

// One data row of an import file as the preview shows it.
struct ImportRow
{
    int line = 0; // where the row starts in the file
    QStringList cells; // as read, one per column of the header
    QString chapterCode;
    QuestionDraft draft;
    QString reason; // why the row cannot be imported; empty for a good row
    bool ok() const { return reason.isEmpty(); }
};

struct ImportPreview
{
    QList<ImportRow> rows;
    int goodCount() const;
    int badCount() const { return int(rows.size()) - goodCount(); }
};

// Questions from a spreadsheet saved as CSV: one header line naming the columns, then one row per
// question. Every row is checked as the entry window checks a question; the good rows are saved
// through the same save, all in one transaction.
class QuestionImport
{
public:
    explicit QuestionImport(QuestionAuthoring &authoring);

    // The header, column by column: chapter code, type (name or id), body, option count, key,
    // explanation, exam points (article keys separated by ";").
    static QStringList header();

    Result<ImportPreview> previewFile(const QString &path);
    // A wrong header, an unreadable encoding or broken quoting refuse the whole file.
    Result<ImportPreview> preview(const QByteArray &bytes);

    // Saves every good row, all or none; gives how many were saved.
    Result<int> importRows(const ImportPreview &preview);

private:
    ImportRow checkRow(int line, const QStringList &cells);

    QuestionAuthoring &m_authoring;
};

} // namespace vorlane
