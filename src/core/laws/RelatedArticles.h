#pragma once

#include "core/Status.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace vorlane {

class Database;

// One article a question tests, as the related-laws window lists it.
struct RelatedArticle
{
    QString key; // tab_rule.ftid
    QString lawId;
    QString lawName; // tab_fgmc.n, empty when the law has no row
    QString title; // tab_rule.sn without its trailing blanks
    QString text; // tab_rule.n, rich text

    // "合同法 第三条", or the title alone when the law has no name.
    QString caption() const;
};

// The number an article title carries, read as a reader reads it: "第十二条" and "第12条" are 12,
// "第一百零五条" is 105. None when the title holds no number.
std::optional<int> articleNumber(const QString &title);

// The articles of the keys, ordered by law (the laws' own order, then their ids) and within a law
// by article number, so that 第二条 comes before 第十条. Keys without an article are left out.
Result<QList<RelatedArticle>> relatedArticles(Database &db, const QStringList &keys);

} // namespace vorlane
