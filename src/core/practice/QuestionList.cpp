#include "core/practice/QuestionList.h"

#include "core/practice/Catalogue.h"

namespace vorlane {

namespace {

// The columns article practice reads: those of the chapter lists without xx and ecount, so
// an article's list shows no "edited" notice.
const QLatin1String ArticleColumns(
    "select a1,a2,a2_1,k3,k4,k5,k6,k7,k8,k9,k10,k11,k12,a10,a13,a14,e1,e2,e2_1,e3,e4,"
    "f1,csbs from tab_answ ");

} // namespace

QuestionListQuery QuestionListQuery::chapter(PracticeMode mode, const QString &code, bool byDoubleClick)
{
    QuestionListQuery query;
    query.kind = Kind::Chapter;
    query.mode = mode;
    query.code = code;
    query.byDoubleClick = byDoubleClick;
    return query;
}

QuestionListQuery QuestionListQuery::article(const QString &articleKey)
{
    QuestionListQuery query;
    query.kind = Kind::Article;
    query.articleKey = articleKey;
    return query;
}

QuestionListQuery QuestionListQuery::questions(const QStringList &ids)
{
    QuestionListQuery query;
    query.kind = Kind::Questions;
    query.questionIds = ids.mid(0, MaxQuestionIds);
    return query;
}

PracticeListQuery composeQuestionList(const QuestionListQuery &query)
{
    switch (query.kind) {
    case QuestionListQuery::Kind::None:
        break;
    case QuestionListQuery::Kind::Chapter:
        return practiceListQuery(query.mode, query.code, query.byDoubleClick);
    case QuestionListQuery::Kind::Article:
        // Every question naming the article among its ten exam points, voided ones too. The
        // bank has no order of its own, so the list takes the chapter lists' one.
        return { ArticleColumns
                + QLatin1String("where ?1 in (k3,k4,k5,k6,k7,k8,k9,k10,k11,k12) order by xx is null, xx, a1"),
            { query.articleKey } };
    case QuestionListQuery::Kind::Questions: {
        if (query.questionIds.isEmpty())
            return { ArticleColumns + QLatin1String("where 0"), {} };
        QString placeholders;
        QVariantList values;
        for (const QString &id : query.questionIds) {
            placeholders += values.isEmpty() ? QStringLiteral("?") : QStringLiteral(",?");
            values << id;
        }
        return { ArticleColumns + QLatin1String("where a1 in (") + placeholders
                + QLatin1String(") order by a10, xx is null, xx, a1"),
            values };
    }
    }
    return {};
}

} // namespace vorlane
