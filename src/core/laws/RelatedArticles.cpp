#include "core/laws/RelatedArticles.h"

#include "core/store/Database.h"
#include "core/store/StoreError.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <limits>

namespace vorlane {

namespace {

int digitOf(QChar c)
{
    static const QString digits = QStringLiteral("零一二三四五六七八九");
    if (c == QChar(u'两') || c == QChar(u'〇'))
        return c == QChar(u'两') ? 2 : 0;
    return int(digits.indexOf(c));
}

int unitOf(QChar c)
{
    switch (c.unicode()) {
    case u'十':
        return 10;
    case u'百':
        return 100;
    case u'千':
        return 1000;
    case u'万':
        return 10000;
    default:
        return 0;
    }
}

// A run of Chinese numerals ("一百零五", "十二", "二十") as its value.
int chineseValue(const QString &run)
{
    int total = 0;
    int section = 0;
    int digit = -1;
    for (const QChar c : run) {
        if (const int d = digitOf(c); d >= 0) {
            digit = d;
            continue;
        }
        const int unit = unitOf(c);
        if (unit == 10000) {
            total += (section + qMax(digit, 0)) * unit;
            section = 0;
        } else {
            section += (digit < 0 ? 1 : digit) * unit; // "十二": a bare 十 is ten
        }
        digit = -1;
    }
    return total + section + qMax(digit, 0);
}

} // namespace

QString RelatedArticle::caption() const
{
    return lawName.isEmpty() ? title : lawName + QLatin1Char(' ') + title;
}

std::optional<int> articleNumber(const QString &title)
{
    qsizetype at = 0;
    while (at < title.size()) {
        const QChar c = title.at(at);
        if (c.isDigit()) {
            qsizetype end = at;
            while (end < title.size() && title.at(end).isDigit())
                ++end;
            return title.mid(at, end - at).toInt();
        }
        if (digitOf(c) >= 0 || unitOf(c) > 0) {
            qsizetype end = at;
            while (end < title.size() && (digitOf(title.at(end)) >= 0 || unitOf(title.at(end)) > 0))
                ++end;
            return chineseValue(title.mid(at, end - at));
        }
        ++at;
    }
    return std::nullopt;
}

Result<QList<RelatedArticle>> relatedArticles(Database &db, const QStringList &keys)
{
    QList<RelatedArticle> articles;
    if (keys.isEmpty())
        return articles;
    struct Sorted
    {
        RelatedArticle article;
        qint64 lawOrder;
        int number;
    };
    QList<Sorted> rows;
    try {
        QString placeholders;
        for (qsizetype i = 0; i < keys.size(); ++i)
            placeholders += i ? QStringLiteral(",?") : QStringLiteral("?");
        Statement query
            = db.prepare(QStringLiteral("SELECT r.ftid, r.id, f.n, r.sn, r.n, f.bh FROM tab_rule r "
                                        "LEFT JOIN tab_fgmc f ON f.id = r.id WHERE r.ftid IN (")
                + placeholders + QLatin1Char(')'));
        query.bindAll(QVariantList(keys.cbegin(), keys.cend()));
        while (query.next()) {
            Sorted row;
            row.article.key = query.text(0);
            row.article.lawId = query.text(1);
            row.article.lawName = query.text(2).trimmed();
            QString title = query.text(3);
            while (!title.isEmpty() && title.back().isSpace())
                title.chop(1);
            row.article.title = title;
            row.article.text = query.text(4);
            // A law without its own place in the list of laws comes after those with one.
            row.lawOrder = query.isNull(5) ? std::numeric_limits<qint64>::max() : query.integer(5);
            row.number = articleNumber(title).value_or(std::numeric_limits<int>::max());
            rows << row;
        }
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
    QCollator collator { QLocale(QLocale::Chinese, QLocale::China) };
    collator.setNumericMode(true);
    std::stable_sort(rows.begin(), rows.end(), [&collator](const Sorted &a, const Sorted &b) {
        if (a.lawOrder != b.lawOrder)
            return a.lawOrder < b.lawOrder;
        if (a.article.lawId != b.article.lawId)
            return a.article.lawId < b.article.lawId;
        if (a.number != b.number)
            return a.number < b.number;
        return collator.compare(a.article.title, b.article.title) < 0;
    });
    for (const Sorted &row : std::as_const(rows))
        articles << row.article;
    return articles;
}

} // namespace vorlane
