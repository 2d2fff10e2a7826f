// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "termentry.h"

#include <QRegularExpression>

namespace {

QString listName(TermList list) {
    switch (list) {
    case TermList::Leave:
        return QStringLiteral("Urlaub");
    case TermList::Duty:
        return QStringLiteral("Dienst außer der Reihe");
    case TermList::DaysOff:
        return QStringLiteral("Dienstfrei");
    case TermList::OwnDates:
        return QStringLiteral("Termine");
    }
    return {};
}

QString endsBeforeItStarts(TermList list) {
    switch (list) {
    case TermList::Leave:
        return QStringLiteral("Der Urlaub endet vor seinem ersten Tag!");
    case TermList::Duty:
        return QStringLiteral("Der Dienst endet vor seinem Beginn!");
    case TermList::DaysOff:
        return QStringLiteral("Die dienstfreie Zeit endet vor ihrem ersten Tag!");
    case TermList::OwnDates:
        return QStringLiteral("Der Termin endet vor seinem ersten Tag!");
    }
    return {};
}

// Why the text is no entry: a day written rightly that the calendar does not have, or a text
// that is not written as the list takes it.
QString whyNoDate(TermList list, const QString& text) {
    static const QRegularExpression writtenDay(
        QStringLiteral("(?<![\\d.])\\d{1,2}\\.\\d{1,2}\\.\\d{4}(?![\\d.])"));
    static const QRegularExpression writtenTime(QStringLiteral("(?<!\\d)(\\d{1,2}):(\\d{1,2})(?!\\d)"));
    for (auto match = writtenDay.globalMatch(text); match.hasNext();) {
        const QString day = match.next().captured();
        if (!ReadDay(day))
            return QStringLiteral("den Tag „%1“ gibt es nicht").arg(day);
    }
    for (auto match = writtenTime.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch time = match.next();
        if (time.captured(1).toInt() > 23 || time.captured(2).toInt() > 59)
            return QStringLiteral("die Uhrzeit „%1“ gibt es nicht").arg(time.captured());
    }
    return list == TermList::Duty ? QStringLiteral("einzutragen als T.M.JJJJ, T.M.JJJJ-T.M.JJJJ oder "
                                                   "T.M.JJJJ h:mm-T.M.JJJJ h:mm")
                                  : QStringLiteral("einzutragen als T.M.JJJJ oder T.M.JJJJ-T.M.JJJJ");
}

// A day or a range of days; none when an end is no day or there are more than two.
std::optional<DayRange> daysOf(const QString& text, bool& endsBefore) {
    const QStringList ends = text.split(QLatin1Char('-'));
    endsBefore = false;
    if (ends.size() > 2 ||
        !std::all_of(ends.begin(), ends.end(), [](const QString& end) { return ReadDay(end); }))
        return std::nullopt;
    const std::optional<DayRange> range = ReadDayRange(text);
    endsBefore = !range;
    return range;
}

} // namespace

TermEntry ReadTermEntry(TermList list, const QString& text) {
    TermEntry entry;
    bool endsBefore = false;
    if (list == TermList::Duty) {
        const DutyEntryReading reading = ReadDutyEntry(text);
        entry.duty = reading.entry;
        endsBefore = !reading.entry && reading.problem == DutyEntryProblem::EndsBeforeStart;
        if (entry.duty)
            return entry;
    } else if ((entry.days = daysOf(text, endsBefore))) {
        return entry;
    }
    entry.problem = endsBefore ? endsBeforeItStarts(list)
                               : QStringLiteral("Datum ungültig: „%1“ unter %2 – %3.")
                                     .arg(text.trimmed(), listName(list), whyNoDate(list, text));
    return entry;
}

std::optional<TermEntryRefusal> AddTermEntry(ServiceTerm& term, TermList list, const QString& text,
                                             const QString& name) {
    const TermEntry entry = ReadTermEntry(list, text);
    if (!entry.problem.isEmpty())
        return TermEntryRefusal{entry.problem};
    switch (list) {
    case TermList::Leave:
        AddLeave(term, *entry.days);
        break;
    case TermList::Duty:
        AddDuty(term, *entry.duty);
        break;
    case TermList::DaysOff:
        AddDaysOff(term, *entry.days);
        break;
    case TermList::OwnDates:
        if (name.trimmed().isEmpty())
            return TermEntryRefusal{QStringLiteral("Bitte geben Sie dem Termin einen Namen!"), true};
        AddOwnDate(term, {*entry.days, name.trimmed()});
        break;
    }
    return std::nullopt;
}
