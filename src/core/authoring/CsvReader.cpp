#include "core/authoring/CsvReader.h"

#include <QCoreApplication>
#include <QStringDecoder>

namespace vorlane {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CsvReader", text);
}

} // namespace

Result<QList<CsvRecord>> parseCsv(const QString &text)
{
    QList<CsvRecord> records;
    CsvRecord record;
    QString field;
    bool quoted = false; // inside a quoted field
    bool wasQuoted = false; // the current field was quoted and its quote is closed
    bool recordHasContent = false;
    int line = 1;
    int recordLine = 1;
    const qsizetype size = text.size();

    const auto endField = [&] {
        record.fields << field;
        field.clear();
        wasQuoted = false;
    };
    const auto endRecord = [&] {
        endField();
        if (recordHasContent || record.fields.size() > 1) {
            record.line = recordLine;
            records << record;
        }
        record = CsvRecord();
        recordHasContent = false;
    };

    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < size && text.at(i + 1) == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                    wasQuoted = true;
                }
            } else {
                if (c == u'\n' || (c == u'\r' && !(i + 1 < size && text.at(i + 1) == u'\n')))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == u',') {
            endField();
            recordHasContent = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
                ++i;
            endRecord();
            ++line;
            recordLine = line;
        } else if (wasQuoted) {
            return Result<QList<CsvRecord>>::failure(tr("第%1行：引号后面不能紧跟其他字符！").arg(line));
        } else if (c == u'"') {
            if (!field.isEmpty())
                return Result<QList<CsvRecord>>::failure(tr("第%1行：引号只能出现在字段开头！").arg(line));
            quoted = true;
            recordHasContent = true;
        } else {
            field += c;
            if (!c.isSpace())
                recordHasContent = true;
        }
    }
    if (quoted)
        return Result<QList<CsvRecord>>::failure(tr("第%1行：引号没有结束！").arg(recordLine));
    if (!field.isEmpty() || wasQuoted || !record.fields.isEmpty())
        endRecord();
    return records;
}

Result<QString> decodeCsv(const QByteArray &bytes)
{
    static const QByteArray utf8Bom("\xEF\xBB\xBF");
    if (bytes.contains('\0'))
        return Result<QString>::failure(tr("文件的编码无法识别，请保存为UTF-8或GB18030编码的CSV文件！"));
    const bool hasBom = bytes.startsWith(utf8Bom);
    {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString text = utf8.decode(hasBom ? bytes.mid(utf8Bom.size()) : bytes);
        if (!utf8.hasError())
            return text;
        if (hasBom)
            return Result<QString>::failure(tr("文件的编码无法识别，请保存为UTF-8或GB18030编码的CSV文件！"));
    }
    QStringDecoder gb18030("GB18030", QStringConverter::Flag::Stateless);
    if (!gb18030.isValid())
        return Result<QString>::failure(tr("文件不是UTF-8编码，本系统无法读取GB18030编码！"));
    const QString text = gb18030.decode(bytes);
    if (gb18030.hasError())
        return Result<QString>::failure(tr("文件的编码无法识别，请保存为UTF-8或GB18030编码的CSV文件！"));
    return text;
}

} // namespace vorlane
