#include "core/authoring/QuestionDraft.h"

#include "core/answer/AnswerEncoding.h"
#include "core/practice/PracticeSession.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSet>

namespace vorlane {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("QuestionDraft", text);
}

const QuestionType *findType(const QList<QuestionType> &types, int id)
{
    for (const QuestionType &type : types) {
        if (type.id == id)
            return &type;
    }
    return nullptr;
}

Status checkChoiceKey(const QString &key, int optionCount, bool multiple)
{
    // The answer panel shows at most six options, so a key can only name A to F.
    const int letters = qMin(optionCount, OptionButtonCount);
    const QChar last = QChar(u'A' + letters - 1);
    const auto wrong = [&] {
        return Status::failure(multiple
                ? tr("多选题的答案应为不重复的大写字母（A～%1），按字母顺序填写！").arg(last)
                : tr("单选题的答案应为一个大写字母（A～%1）！").arg(last));
    };
    if (key.isEmpty() || (!multiple && key.size() != 1))
        return wrong();
    QChar previous;
    for (const QChar c : key) {
        if (c < u'A' || c > last)
            return wrong();
        if (!previous.isNull() && c <= previous) // repeated or out of order: never matched
            return wrong();
        previous = c;
    }
    return {};
}

} // namespace

QString normalisedKey(const QString &typed)
{
    return typed.trimmed().toUpper();
}

bool isBlankHtml(const QString &html)
{
    if (html.contains(QLatin1String("<img"), Qt::CaseInsensitive))
        return false;
    static const QRegularExpression head(QStringLiteral("<head>.*</head>"),
        QRegularExpression::DotMatchesEverythingOption | QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    static const QRegularExpression blankEntities(QStringLiteral("&(nbsp|#160|#12288);"));
    QString text = html;
    text.remove(head).remove(tags).remove(blankEntities);
    text.replace(QChar(0x3000), u' ');
    return text.trimmed().isEmpty();
}

QString plainTextToHtml(const QString &text)
{
    QString html = text.trimmed().toHtmlEscaped();
    html.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    html.replace(u'\n', QLatin1String("<br>"));
    return QStringLiteral("<p>") + html + QStringLiteral("</p>");
}

bool isSelfAssessedType(const QuestionType &type)
{
    return isSelfAssessedTypeName(type.name) || answerPageForType(type.id) == int(AnswerKind::SelfAssessed);
}

Status validateDraft(const QuestionDraft &draft, const QList<QuestionType> &types)
{
    if (isBlankHtml(draft.bodyHtml))
        return Status::failure(tr("请填写试题内容！"));
    if (draft.bodyHtml.size() > MaxRichTextLength)
        return Status::failure(
            tr("试题内容过长（最多%1K字符），请删减后再保存！").arg(MaxRichTextLength / 1024));
    if (draft.explanationHtml.size() > MaxRichTextLength)
        return Status::failure(
            tr("试题解析过长（最多%1K字符），请删减后再保存！").arg(MaxRichTextLength / 1024));
    if (draft.stemHtml.size() > MaxRichTextLength)
        return Status::failure(tr("题目过长（最多%1K字符），请删减后再保存！").arg(MaxRichTextLength / 1024));
    if (draft.key.trimmed().isEmpty())
        return Status::failure(tr("请填写试题答案！"));
    if (draft.key.size() > MaxKeyLength)
        return Status::failure(tr("试题答案最多%1个字符！").arg(MaxKeyLength));
    const QuestionType *type = findType(types, draft.typeId);
    if (!type)
        return Status::failure(tr("请选择题型！"));
    if (draft.optionCount < MinOptionCount || draft.optionCount > MaxOptionCount)
        return Status::failure(tr("待选答案个数应为%1到%2！").arg(MinOptionCount).arg(MaxOptionCount));

    if (isSelfAssessedType(*type)) {
        if (draft.optionCount != 1 || draft.key != QLatin1String("1"))
            return Status::failure(
                tr("“%1”题的待选答案个数应为1，答案应为“1”（实际答案请写在解析中）！").arg(type->name));
    } else {
        switch (answerPageForType(type->id)) {
        case int(AnswerKind::SingleChoice):
            if (const Status s = checkChoiceKey(draft.key, draft.optionCount, false); !s)
                return s;
            break;
        case int(AnswerKind::MultipleChoice):
        case int(AnswerKind::IndefiniteChoice):
            if (const Status s = checkChoiceKey(draft.key, draft.optionCount, true); !s)
                return s;
            break;
        default: // answered on whatever page is shown: only the stored form is required
            if (draft.key != draft.key.trimmed())
                return Status::failure(tr("试题答案的前后不能有空格！"));
            break;
        }
    }

    if (draft.examPoints.size() > MaxExamPoints)
        return Status::failure(tr("试题对应考点最多为%1条！").arg(MaxExamPoints));
    QSet<QString> seen;
    for (const QString &point : draft.examPoints) {
        if (point.trimmed().isEmpty())
            return Status::failure(tr("考点不能为空！"));
        if (seen.contains(point.toCaseFolded()))
            return Status::failure(tr("考点“%1”重复！").arg(point));
        seen.insert(point.toCaseFolded());
    }
    return {};
}

} // namespace vorlane
