#include "datevalue.h"

#include "clock.h"
#include "services/programerror.h"
#include "settings/fixedtext.h"

#include <QDate>
#include <QRegularExpression>
#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr qint64 SecondsPerDay = 86400;
// 30 December 1899; a function so that it is ready for other files' static values too.
QDate dayZero() {
    static const QDate day(1899, 12, 30);
    return day;
}

DateValue fromDayAndSecond(qint64 day, int second) {
    return static_cast<double>(day) + static_cast<double>(second) / SecondsPerDay;
}

// The value as whole seconds since day 0, rounded so that 16:30 never reads as 16:29:59.999.
qint64 totalSeconds(DateValue value) {
    return std::llround(value * SecondsPerDay);
}

qint64 floorDiv(qint64 a, qint64 b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

qint64 dayNumber(DateValue value) {
    return floorDiv(totalSeconds(value), SecondsPerDay);
}

int secondOfDay(DateValue value) {
    return static_cast<int>(totalSeconds(value) - dayNumber(value) * SecondsPerDay);
}

QDateTime clockNow() {
    return CurrentClock().currentDateTime();
}

std::optional<qint64> parseDay(const QRegularExpressionMatch& match) {
    const QDate date(match.captured(QStringLiteral("year")).toInt(), match.captured(QStringLiteral("month")).toInt(),
                     match.captured(QStringLiteral("day")).toInt());
    if (!date.isValid() || date.year() < 1)
        return std::nullopt;
    return dayZero().daysTo(date);
}

std::optional<int> parseSecondOfDay(const QRegularExpressionMatch& match) {
    const int hours = match.captured(QStringLiteral("hours")).toInt();
    const int minutes = match.captured(QStringLiteral("minutes")).toInt();
    const int seconds = match.captured(QStringLiteral("seconds")).toInt();
    if (hours > 23 || minutes > 59 || seconds > 59)
        return std::nullopt;
    return hours * 3600 + minutes * 60 + seconds;
}

std::optional<DateValue> tryConvert(const QString& text) {
    static const QRegularExpression form(QStringLiteral(
        R"(^(?:(?<day>\d{1,2})\.(?<month>\d{1,2})\.(?<year>\d{4}))?)"
        R"((?<gap> +)?)"
        R"((?:(?<hours>\d{1,2}):(?<minutes>\d{2})(?::(?<seconds>\d{2}))?)?$)"));
    const QString trimmed = TrimBlanks(text);
    const QRegularExpressionMatch match = form.match(trimmed);
    if (trimmed.isEmpty() || !match.hasMatch())
        return std::nullopt;
    const bool hasDate = match.hasCaptured(QStringLiteral("day"));
    const bool hasTime = match.hasCaptured(QStringLiteral("hours"));
    // A gap of blanks belongs between a date and a time, nowhere else.
    if (match.hasCaptured(QStringLiteral("gap")) != (hasDate && hasTime))
        return std::nullopt;

    const std::optional<qint64> day = hasDate ? parseDay(match) : std::optional<qint64>(0);
    const std::optional<int> second = hasTime ? parseSecondOfDay(match) : std::optional<int>(0);
    if (!day || !second)
        return std::nullopt;
    return fromDayAndSecond(*day, *second);
}

qint64 unitsSinceDayZero(DateInterval interval, DateValue value, int firstDayOfWeek) {
    const qint64 day = dayNumber(value);
    const int second = secondOfDay(value);
    switch (interval) {
    case DateInterval::Days:
        return day;
    case DateInterval::Hours:
        return day * 24 + second / 3600;
    case DateInterval::Minutes:
        return day * 1440 + second / 60;
    case DateInterval::Seconds:
        return day * SecondsPerDay + second;
    case DateInterval::Weeks:
        // The day number of the most recent first day of the week.
        return day - (Weekday(value, firstDayOfWeek) - 1);
    }
    return 0;
}

[[noreturn]] void overflow(qint64 value) {
    throw ProgramError(
        QStringLiteral("Überlauf: Die Zahl %1 ist zu groß, um angezeigt zu werden.").arg(value));
}

} // namespace

DateValue Now() {
    const QDateTime now = clockNow();
    return fromDayAndSecond(dayZero().daysTo(now.date()), now.time().msecsSinceStartOfDay() / 1000);
}

DateValue Date() {
    return fromDayAndSecond(dayZero().daysTo(clockNow().date()), 0);
}

DateValue Time() {
    return fromDayAndSecond(0, clockNow().time().msecsSinceStartOfDay() / 1000);
}

DateValue CDate(const QString& text) {
    if (const auto value = tryConvert(text))
        return *value;
    throw ProgramError(
        QStringLiteral("Der Text „%1“ ist weder ein Datum (T.M.JJJJ) noch eine Uhrzeit (h:mm).").arg(text));
}

bool IsDate(const QString& text) {
    return tryConvert(text).has_value();
}

qint64 DateDiff(DateInterval interval, DateValue a, DateValue b, int firstDayOfWeek) {
    const qint64 difference =
        unitsSinceDayZero(interval, b, firstDayOfWeek) - unitsSinceDayZero(interval, a, firstDayOfWeek);
    return interval == DateInterval::Weeks ? difference / 7 : difference;
}

int Weekday(DateValue value, int firstDayOfWeek) {
    // Day 0 was a Saturday, six days after a Sunday.
    const qint64 daysAfterSunday = ((dayNumber(value) + 6) % 7 + 7) % 7;
    return static_cast<int>((daysAfterSunday - (firstDayOfWeek - 1) + 7) % 7) + 1;
}

qint16 ToInt16(qint64 value) {
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        overflow(value);
    return static_cast<qint16>(value);
}

qint32 ToInt32(qint64 value) {
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        overflow(value);
    return static_cast<qint32>(value);
}
