#pragma once

#include <QString>

#include <optional>

namespace vorlane {

// How the hours of an elapsed time are written: clocks and papers show "0:09:43", the daily
// log stores "00:09:43". Hours may pass 23 either way.
enum class HourDigits { Plain, Two };

// The one way the program writes an elapsed time: hours, then minutes and seconds of two digits.
QString elapsedTimeText(qint64 seconds, HourDigits hours = HourDigits::Plain);

// Seconds of a time text "h:m:s"; nullopt when a part is not an integer.
std::optional<qint64> timeTextToSeconds(const QString &text);

} // namespace vorlane
