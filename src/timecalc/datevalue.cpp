// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "datevalue.h"

#include "services/clock.h"
#include "services/programerror.h"
#include "settings/fixedtext.h"

#include <QDate>
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

// Reads the text forms "d.m.yyyy", "h:mm", "h:mm:ss" and "d.m.yyyy h:mm[:ss]". A
// hand-written reader: the main window converts texts many times every second.
class TextReader {
public:
    explicit TextReader(const QString& text) : m_text(text) {}

    bool atEnd() const { return m_pos == m_text.size(); }
    bool nextIs(QChar ch) const { return m_pos < m_text.size() && m_text.at(m_pos) == ch; }

    bool skip(QChar ch) {
        if (!nextIs(ch))
            return false;
        ++m_pos;
        return true;
    }

    // A number of minDigits to maxDigits decimal digits.
    std::optional<int> number(int minDigits, int maxDigits) {
        int value = 0;
        int digits = 0;
        while (digits < maxDigits && m_pos < m_text.size() && m_text.at(m_pos).isDigit() &&
               m_text.at(m_pos).unicode() < 0x80) {
            value = value * 10 + (m_text.at(m_pos).unicode() - '0');
            ++m_pos;
            ++digits;
        }
        if (digits < minDigits)
            return std::nullopt;
        return value;
    }

    // Whether the first number is followed by a point, so that a date comes first.
    bool startsWithDate() const {
        qsizetype pos = m_pos;
        while (pos < m_text.size() && m_text.at(pos).isDigit())
            ++pos;
        return pos < m_text.size() && m_text.at(pos) == QLatin1Char('.');
    }

private:
    const QString& m_text;
    qsizetype m_pos = 0;
};

std::optional<qint64> readDay(TextReader& reader) {
    const auto day = reader.number(1, 2);
    if (!day || !reader.skip(QLatin1Char('.')))
        return std::nullopt;
    const auto month = reader.number(1, 2);
    if (!month || !reader.skip(QLatin1Char('.')))
        return std::nullopt;
    const auto year = reader.number(4, 4);
    if (!year)
        return std::nullopt;
    const QDate date(*year, *month, *day);
    if (!date.isValid() || date.year() < 1)
        return std::nullopt;
    return dayZero().daysTo(date);
}

std::optional<int> readSecondOfDay(TextReader& reader) {
    const auto hours = reader.number(1, 2);
    if (!hours || !reader.skip(QLatin1Char(':')))
        return std::nullopt;
    const auto minutes = reader.number(2, 2);
    if (!minutes)
        return std::nullopt;
    std::optional<int> seconds = 0;
    if (reader.skip(QLatin1Char(':')))
        seconds = reader.number(2, 2);
    if (!seconds || *hours > 23 || *minutes > 59 || *seconds > 59)
        return std::nullopt;
    return *hours * 3600 + *minutes * 60 + *seconds;
}

std::optional<DateValue> tryConvert(const QString& text) {
    const QString trimmed = TrimBlanks(text);
    TextReader reader(trimmed);
    std::optional<qint64> day = 0;
    if (reader.startsWithDate()) {
        day = readDay(reader);
        if (!day)
            return std::nullopt;
        if (reader.atEnd())
            return fromDayAndSecond(*day, 0);
        // Between a date and a time stand one or more blanks.
        if (!reader.skip(QLatin1Char(' ')))
            return std::nullopt;
        while (reader.skip(QLatin1Char(' '))) {
        }
    }
    const std::optional<int> second = readSecondOfDay(reader);
    if (!second || !reader.atEnd())
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
    return DateValueOf(clockNow());
}

DateValue DateValueOf(const QDateTime& instant) {
    return fromDayAndSecond(dayZero().daysTo(instant.date()), instant.time().msecsSinceStartOfDay() / 1000);
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

qint64 DayNumber(QDate date) {
    return dayZero().daysTo(date);
}

QDate CalendarDate(qint64 dayNumber) {
    return dayZero().addDays(dayNumber);
}
