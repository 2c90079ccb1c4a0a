#include "core/TimeText.h"

#include <QStringView>

namespace vorlane {

QString elapsedTimeText(qint64 seconds, HourDigits hours)
{
    seconds = qMax<qint64>(0, seconds);
    const QLatin1Char zero('0');
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, hours == HourDigits::Two ? 2 : 1, 10, zero)
        .arg((seconds / 60) % 60, 2, 10, zero)
        .arg(seconds % 60, 2, 10, zero);
}

std::optional<qint64> timeTextToSeconds(const QString &text)
{
    auto toInt = [](QStringView part) -> std::optional<qint64> {
        bool ok = false;
        const qint64 value = part.trimmed().toLongLong(&ok);
        return ok ? std::optional<qint64>(value) : std::nullopt;
    };
    qint64 total = 0;
    int count = 0;
    QStringView rest(text);
    while (rest.contains(QLatin1Char(':'))) {
        const qsizetype colon = rest.indexOf(QLatin1Char(':'));
        const QStringView head = rest.left(colon);
        rest = rest.mid(colon + 1);
        if (count == 0 || count == 1) {
            const std::optional<qint64> value = toInt(head);
            if (!value)
                return std::nullopt;
            total += *value * (count == 0 ? 3600 : 60);
        } else {
            rest = {};
        }
        ++count;
    }
    if (count == 2) {
        const std::optional<qint64> seconds = toInt(rest.left(2));
        if (!seconds)
            return std::nullopt;
        total += *seconds;
    }
    return total;
}

} // namespace vorlane
