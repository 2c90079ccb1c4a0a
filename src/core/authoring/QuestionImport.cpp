#include "core/authoring/QuestionImport.h"

#include "core/authoring/CsvReader.h"
#include "core/authoring/QuestionAuthoring.h"
#include "core/authoring/UserQuestionId.h"
#include "core/store/Database.h"
#include "core/store/StoreError.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

namespace vorlane {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("QuestionImport", text);
}

enum Column { Chapter, Type, Body, Options, Key, Explanation, Points, ColumnCount };

} // namespace

int ImportPreview::goodCount() const
{
    int good = 0;
    for (const ImportRow &row : rows)
        good += row.ok() ? 1 : 0;
    return good;
}

QuestionImport::QuestionImport(QuestionAuthoring &authoring)
    : m_authoring(authoring)
{
}

QStringList QuestionImport::header()
{
    return { tr("章节代码"), tr("题型"), tr("试题内容"), tr("待选答案个数"), tr("试题答案"), tr("试题解析"),
        tr("对应考点") };
}

Result<ImportPreview> QuestionImport::previewFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result<ImportPreview>::failure(tr("无法打开文件：%1").arg(path));
    // A question file is small; anything near this size is not one.
    constexpr qint64 MaxFileSize = 64 * 1024 * 1024;
    if (file.size() > MaxFileSize)
        return Result<ImportPreview>::failure(tr("文件太大，不是试题文件！"));
    return preview(file.readAll());
}

Result<ImportPreview> QuestionImport::preview(const QByteArray &bytes)
{
    const auto text = decodeCsv(bytes);
    if (!text)
        return text.status();
    const auto records = parseCsv(*text);
    if (!records)
        return records.status();
    const QString expected = header().join(u',');
    if (records->isEmpty())
        return Result<ImportPreview>::failure(tr("文件是空的！第一行应为：%1").arg(expected));
    QStringList found;
    for (const QString &cell : records->first().fields)
        found << cell.trimmed();
    if (found != header())
        return Result<ImportPreview>::failure(
            tr("文件的标题行不对，不是试题文件。\n第一行应为：%1\n实为：%2").arg(expected, found.join(u',')));

    ImportPreview preview;
    for (qsizetype i = 1; i < records->size(); ++i)
        preview.rows << checkRow(records->at(i).line, records->at(i).fields);
    return preview;
}

ImportRow QuestionImport::checkRow(int line, const QStringList &cells)
{
    ImportRow row;
    row.line = line;
    row.cells = cells;
    const auto refuse = [&row](const QString &reason) {
        row.reason = reason;
        return row;
    };
    if (cells.size() != ColumnCount)
        return refuse(tr("列数不对：应为%1列，实为%2列").arg(int(ColumnCount)).arg(cells.size()));

    row.chapterCode = cells.at(Chapter).trimmed();
    if (row.chapterCode.isEmpty())
        return refuse(tr("没有章节代码"));
    if (row.chapterCode.size() <= 2)
        return refuse(tr("“%1”是科目或篇的标题，不是具体章节").arg(row.chapterCode));
    if (const auto chapter = m_authoring.checkChapter(row.chapterCode); !chapter)
        return refuse(chapter.reason());

    const QString typeText = cells.at(Type).trimmed();
    auto type = m_authoring.typeNamed(typeText);
    if (!type) {
        bool isNumber = false;
        const int id = typeText.toInt(&isNumber);
        const auto all = m_authoring.types();
        if (isNumber && all) {
            for (const QuestionType &candidate : *all) {
                if (candidate.id == id)
                    type = candidate;
            }
        }
        if (!type)
            return refuse(tr("题型“%1”不存在").arg(typeText));
    }
    QuestionDraft &draft = row.draft;
    draft.typeId = type->id;
    const bool selfAssessed = isSelfAssessedType(*type);

    const QString options = cells.at(Options).trimmed();
    if (options.isEmpty() && selfAssessed) {
        draft.optionCount = 1;
    } else {
        bool isNumber = false;
        draft.optionCount = options.toInt(&isNumber);
        if (!isNumber || draft.optionCount < MinOptionCount || draft.optionCount > MaxOptionCount)
            return refuse(
                tr("待选答案个数“%1”应为%2到%3的整数").arg(options).arg(MinOptionCount).arg(MaxOptionCount));
    }
    draft.key = cells.at(Key).trimmed();
    if (draft.key.isEmpty() && selfAssessed)
        draft.key = QStringLiteral("1");

    draft.bodyHtml = cells.at(Body).trimmed().isEmpty() ? QString() : plainTextToHtml(cells.at(Body));
    draft.explanationHtml
        = cells.at(Explanation).trimmed().isEmpty() ? QString() : plainTextToHtml(cells.at(Explanation));
    static const QRegularExpression separators(QStringLiteral("[;；,，、\\s]+"));
    draft.examPoints = cells.at(Points).split(separators, Qt::SkipEmptyParts);

    if (const Status valid = validateDraft(draft, *m_authoring.types()); !valid)
        return refuse(valid.reason());
    if (const Status points = m_authoring.checkExamPoints(draft.examPoints); !points)
        return refuse(points.reason());
    return row;
}

Result<int> QuestionImport::importRows(const ImportPreview &preview)
{
    const int good = preview.goodCount();
    if (good == 0)
        return Result<int>::failure(tr("没有可以导入的试题！"));
    try {
        Database &db = m_authoring.m_db;
        const int first = nextUserSequence(db);
        const int room = MaxUserSequence - first + 1;
        if (good > room)
            return Result<int>::failure(
                tr("最多只能录入9999道题！现在还能录入%1道，文件中有%2道。").arg(qMax(room, 0)).arg(good));
        Transaction transaction(db);
        int sequence = first;
        for (const ImportRow &row : preview.rows) {
            if (!row.ok())
                continue;
            if (const auto saved = m_authoring.saveNew(row.chapterCode, row.draft, sequence++); !saved)
                return Result<int>::failure(
                    tr("第%1行：%2\n没有导入任何试题。").arg(row.line).arg(saved.reason()));
        }
        transaction.commit();
        return good;
    } catch (const StoreError &error) {
        return storeFailure(error, QuestionAuthoring::saveFailedMessage());
    }
}

} // namespace vorlane
