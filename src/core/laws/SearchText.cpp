#include "core/laws/SearchText.h"

#include <QHash>

namespace vorlane {

namespace {

QChar::Category categoryAt(const QString &text, qsizetype i)
{
    return text.at(i).category();
}

// Decodes the reference starting at text[i] == '&'; answers the characters and moves i past
// it, or answers nothing when it is not a reference (the '&' then stays as it is).
QString decodeReference(const QString &text, qsizetype &i)
{
    static const QHash<QString, QString> named {
        { QStringLiteral("amp"), QStringLiteral("&") },
        { QStringLiteral("lt"), QStringLiteral("<") },
        { QStringLiteral("gt"), QStringLiteral(">") },
        { QStringLiteral("quot"), QStringLiteral("\"") },
        { QStringLiteral("apos"), QStringLiteral("'") },
        { QStringLiteral("nbsp"), QStringLiteral(" ") },
        { QStringLiteral("ldquo"), QString(QChar(0x201C)) },
        { QStringLiteral("rdquo"), QString(QChar(0x201D)) },
        { QStringLiteral("lsquo"), QString(QChar(0x2018)) },
        { QStringLiteral("rsquo"), QString(QChar(0x2019)) },
        { QStringLiteral("mdash"), QString(QChar(0x2014)) },
        { QStringLiteral("ndash"), QString(QChar(0x2013)) },
        { QStringLiteral("hellip"), QString(QChar(0x2026)) },
        { QStringLiteral("middot"), QString(QChar(0x00B7)) },
        { QStringLiteral("times"), QString(QChar(0x00D7)) },
        { QStringLiteral("divide"), QString(QChar(0x00F7)) },
    };
    const qsizetype end = text.indexOf(QLatin1Char(';'), i + 1);
    if (end < 0 || end - i > 12)
        return {};
    const QString name = text.mid(i + 1, end - i - 1);
    QString decoded;
    if (name.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const uint code
            = (name.size() > 1 && (name.at(1) == QLatin1Char('x') || name.at(1) == QLatin1Char('X')))
            ? name.mid(2).toUInt(&ok, 16)
            : name.mid(1).toUInt(&ok, 10);
        if (!ok || code == 0 || code > 0x10FFFF)
            return {};
        const char32_t character = char32_t(code);
        decoded = QString::fromUcs4(&character, 1);
    } else {
        decoded = named.value(name);
    }
    if (!decoded.isEmpty())
        i = end + 1;
    return decoded;
}

// Skips the markup starting at text[i] == '<' and answers where the text goes on.
qsizetype skipMarkup(const QString &text, qsizetype i)
{
    if (text.mid(i, 4) == QLatin1String("<!--")) {
        const qsizetype end = text.indexOf(QLatin1String("-->"), i + 4);
        return end < 0 ? text.size() : end + 3;
    }
    // The tag's end, not counting a '>' inside a quoted attribute value.
    QChar quote;
    qsizetype j = i + 1;
    for (; j < text.size(); ++j) {
        const QChar c = text.at(j);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('>')) {
            break;
        }
    }
    const qsizetype afterTag = j < text.size() ? j + 1 : text.size();
    // Scripts and styles hold no text for the reader.
    for (const QLatin1String element : { QLatin1String("script"), QLatin1String("style") }) {
        if (text.mid(i + 1, element.size()).compare(element, Qt::CaseInsensitive) == 0) {
            const qsizetype close
                = text.indexOf(QLatin1String("</") + element, afterTag, Qt::CaseInsensitive);
            if (close < 0)
                return text.size();
            const qsizetype closeEnd = text.indexOf(QLatin1Char('>'), close);
            return closeEnd < 0 ? text.size() : closeEnd + 1;
        }
    }
    return afterTag;
}

bool isTagStart(const QString &text, qsizetype i)
{
    if (i + 1 >= text.size())
        return false;
    const QChar next = text.at(i + 1);
    return (next.unicode() < 0x80 && next.isLetter()) || next == QLatin1Char('/') || next == QLatin1Char('!')
        || next == QLatin1Char('?');
}

} // namespace

QString plainTextOfHtml(const QString &html)
{
    QString out;
    out.reserve(html.size());
    bool pendingBlank = false;
    // As a browser does, only ASCII white space collapses; an ideographic blank is text.
    const auto append = [&](QChar c) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
            || c == QLatin1Char('\r') || c == QLatin1Char('\f')) {
            pendingBlank = !out.isEmpty();
            return;
        }
        if (pendingBlank)
            out += QLatin1Char(' ');
        pendingBlank = false;
        out += c;
    };
    for (qsizetype i = 0; i < html.size();) {
        const QChar c = html.at(i);
        if (c == QLatin1Char('<') && isTagStart(html, i)) {
            i = skipMarkup(html, i);
            pendingBlank = !out.isEmpty(); // a tag parts words, as a block or a line break would
            continue;
        }
        if (c == QLatin1Char('&')) {
            qsizetype j = i;
            const QString decoded = decodeReference(html, j);
            if (!decoded.isEmpty()) {
                for (const QChar d : decoded)
                    append(d);
                i = j;
                continue;
            }
        }
        append(c);
        ++i;
    }
    return out;
}

QString searchTokens(const QString &text)
{
    const QString folded = text.normalized(QString::NormalizationForm_KC);
    QString out;
    out.reserve(folded.size() * 2);
    for (qsizetype i = 0; i < folded.size(); ++i) {
        const QChar c = folded.at(i);
        if (c.unicode() < 0x80) {
            if (!c.isLetterOrNumber())
                continue;
        } else if (c.isSpace() || categoryAt(folded, i) == QChar::Other_Control) {
            continue;
        }
        if (!out.isEmpty())
            out += QLatin1Char(' ');
        out += c;
        // A character outside the basic plane is one token of two code units.
        if (c.isHighSurrogate() && i + 1 < folded.size() && folded.at(i + 1).isLowSurrogate())
            out += folded.at(++i);
    }
    return out;
}

QString phraseQuery(const QString &phrase)
{
    const QString tokens = searchTokens(phrase);
    if (tokens.isEmpty())
        return {};
    return QLatin1Char('"') + tokens + QLatin1Char('"');
}

} // namespace vorlane
