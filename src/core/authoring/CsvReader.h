#pragma once

#include "core/Status.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace vorlane {

// One record of a CSV file with the line it starts on (1-based), for messages.
struct CsvRecord
{
    int line = 0;
    QStringList fields;
};

// RFC 4180: fields separated by ",", records by CRLF, LF or CR; a field in double quotes may hold
// commas, line breaks and doubled quotes. Blank lines are skipped. A quote left open or text
// after a closing quote is refused with the line it is on.
Result<QList<CsvRecord>> parseCsv(const QString &text);

// The text of a CSV file: UTF-8 with or without its byte-order mark, otherwise GB18030 (what
// Chinese spreadsheet programs write). Refused when it is neither, or holds NUL characters
// (UTF-16 and binary files).
Result<QString> decodeCsv(const QByteArray &bytes);

} // namespace vorlane
