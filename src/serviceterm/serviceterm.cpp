// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "serviceterm.h"

#include "holidays.h"
#include "inifile.h"
#include "servicekind.h"
#include "services/programerror.h"
#include "settings/fileaccess.h"
#include "settings/settingsfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <cmath>
#include <functional>

ServiceTerm Term;

namespace {

// The keys as the file writes them, each with a line of its own for example.
const QString group = QStringLiteral("Dienstzeit");               // [Dienstzeit]
const QString startKey = QStringLiteral("Beginn");                // Beginn=1.10.2026
const QString regionKey = QStringLiteral("Bundesland");           // Bundesland=DE-BY
const QString localHolidaysKey = QStringLiteral("Ortsfeiertage"); // Ortsfeiertage=mariae-himmelfahrt
const QString kindKey = QStringLiteral("Dienstart");              // Dienstart=Soldat auf Zeit
const QString leaveKey = QStringLiteral("Urlaub");                // Urlaub=21.12.2026-1.1.2027, 15.3.2027
const QString dutyKey = QStringLiteral("Dienst");        // Dienst=12.6.2027 7:00-13.6.2027 7:00, 3.7.2027
const QString daysOffKey = QStringLiteral("Dienstfrei"); // Dienstfrei=2.4.2027
const QString entitlementKey = QStringLiteral("Urlaubsanspruch"); // Urlaubsanspruch=27,5
const QString calendarFileKey = QStringLiteral("Kalenderdatei");  // Kalenderdatei="/home/max/Sync/dz.ics"
const QString ownDatesGroup = QStringLiteral("Termine");          // [Termine] 12.3.2027=Gelöbnis

const QString announcedGroup = QStringLiteral("Meldungen"); // [Meldungen]
const QString announcedKey = QStringLiteral("Gezeigt");     // Gezeigt=Bergfest 14.2.2027

QStringList announced(const IniText& file) {
    QStringList milestones;
    for (const QString& entry : file.value(announcedGroup, announcedKey).split(QLatin1Char(',')))
        if (!entry.trimmed().isEmpty())
            milestones.append(entry.trimmed());
    return milestones;
}

// Reads the file, lets the change edit it and saves it in full, crash-safely; the
// lines the change does not touch stay as they were. A file that is no settings file
// is replaced only when the user saves the term (replaceForeign), never by the program itself.
void changeServiceFile(const std::function<void(IniText&)>& change, bool replaceForeign) {
    const QString path = ServiceFilePath();
    const QString failureText =
        QStringLiteral("Die Dienstzeitdatei „%1“ kann nicht gespeichert werden").arg(path);
    if (QFileInfo(path).isDir())
        FailWithFileError(failureText, EISDIR);
    const QByteArray content = ReadWholeFile(path, failureText);
    const bool foreign = !IniText::IsSettingsText(content);
    if (foreign && !replaceForeign)
        throw ProgramError(QStringLiteral("%1: sie ist keine Einstellungsdatei.").arg(failureText));
    IniText file(foreign ? QByteArray() : content);
    change(file);
    if (const std::optional<int> cause = ReplaceFile(path, file.toUtf8(), failureText))
        FailWithFileError(failureText, *cause);
}

// A value as the start-up message quotes it: long ones cut, so the message stays readable.
QString shortened(const QString& value) {
    constexpr qsizetype longest = 40;
    return value.size() <= longest ? value : value.left(longest - 1) + QStringLiteral("…");
}

QString notTaken(const QString& key, const QString& value) {
    return QStringLiteral("%1=%2").arg(shortened(key), shortened(value));
}

// The comma-separated entries of a value, blank ones left out.
QStringList entriesOf(const QString& value) {
    QStringList entries;
    for (const QString& entry : value.split(QLatin1Char(',')))
        if (!entry.trimmed().isEmpty())
            entries.append(entry.trimmed());
    return entries;
}

// Reads the day ranges of a key; those that are none are named in notUsed.
QList<DayRange> readRanges(const IniText& file, const QString& key, QStringList& notUsed) {
    QList<DayRange> ranges;
    for (const QString& entry : entriesOf(file.value(group, key))) {
        if (const std::optional<DayRange> range = ReadDayRange(entry))
            ranges.append(*range);
        else
            notUsed.append(notTaken(key, entry));
    }
    return ranges;
}

std::optional<QTime> readTime(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QTime time(match.captured(1).toInt(), match.captured(2).toInt());
    return time.isValid() ? std::optional<QTime>(time) : std::nullopt;
}

// One end of a duty entry: a day, or a day and a time.
struct DutyEnd {
    QDate day;
    std::optional<QTime> time;
};

std::optional<DutyEnd> readDutyEnd(const QString& text) {
    const QStringList parts = text.simplified().split(QLatin1Char(' '));
    if (parts.size() > 2)
        return std::nullopt;
    const std::optional<QDate> day = ReadDay(parts.first());
    if (!day)
        return std::nullopt;
    if (parts.size() == 1)
        return DutyEnd{*day, std::nullopt};
    const std::optional<QTime> time = readTime(parts.last());
    if (!time)
        return std::nullopt;
    return DutyEnd{*day, time};
}

QString timeText(QTime time) {
    return time.toString(QStringLiteral("H:mm"));
}

} // namespace

QString DayText(QDate day) {
    return day.toString(QStringLiteral("d.M.yyyy"));
}

std::optional<QDate> ReadDay(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate day(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
    if (!day.isValid() || day.year() < 100)
        return std::nullopt;
    return day;
}

std::optional<DayRange> ReadDayRange(const QString& text) {
    const QStringList ends = text.split(QLatin1Char('-'));
    if (ends.size() > 2)
        return std::nullopt;
    const std::optional<QDate> first = ReadDay(ends.first());
    const std::optional<QDate> last = ReadDay(ends.last());
    if (!first || !last || *last < *first)
        return std::nullopt;
    return DayRange{*first, *last};
}

QString DayRangeText(const DayRange& period) {
    if (period.first == period.last)
        return DayText(period.first);
    return DayText(period.first) + QLatin1Char('-') + DayText(period.last);
}

DutyEntryReading ReadDutyEntry(const QString& text) {
    const QStringList ends = text.split(QLatin1Char('-'));
    if (ends.size() > 2)
        return {};
    const std::optional<DutyEnd> first = readDutyEnd(ends.first());
    const std::optional<DutyEnd> last = readDutyEnd(ends.last());
    // A single day has no times; a range has times at both ends or at neither.
    if (!first || !last || first->time.has_value() != last->time.has_value() ||
        (ends.size() == 1 && first->time))
        return {};
    const DutyEntry entry{first->day, last->day, first->time.value_or(QTime()), last->time.value_or(QTime())};
    const bool endsAfterStart = entry.timed()
                                    ? QDateTime(entry.last, entry.to) > QDateTime(entry.first, entry.from)
                                    : entry.last >= entry.first;
    if (!endsAfterStart)
        return {std::nullopt, DutyEntryProblem::EndsBeforeStart};
    return {entry, DutyEntryProblem::NotADate};
}

QString DutyEntryText(const DutyEntry& entry) {
    if (entry.timed())
        return QStringLiteral("%1 %2-%3 %4")
            .arg(DayText(entry.first), timeText(entry.from), DayText(entry.last), timeText(entry.to));
    return DayRangeText({entry.first, entry.last});
}

std::optional<double> ReadLeaveEntitlement(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,3})(?:[,.]([05]))?\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt() + (match.captured(2) == QLatin1String("5") ? 0.5 : 0.0);
}

QString LeaveDaysText(double days, bool dative) {
    if (days == 1)
        return QStringLiteral("1 Tag");
    return LeaveDaysNumber(days) + (dative ? QStringLiteral(" Tagen") : QStringLiteral(" Tage"));
}

QString LeaveDaysNumber(double days) {
    return QString::number(days, 'f', days == std::floor(days) ? 0 : 1)
        .replace(QLatin1Char('.'), QLatin1Char(','));
}

QList<DayRange> MergedRanges(QList<DayRange> ranges) {
    std::sort(ranges.begin(), ranges.end(),
              [](const DayRange& a, const DayRange& b) { return a.first < b.first; });
    QList<DayRange> merged;
    for (const DayRange& range : ranges) {
        if (!merged.isEmpty() && range.first <= merged.last().last.addDays(1))
            merged.last().last = std::max(merged.last().last, range.last);
        else
            merged.append(range);
    }
    return merged;
}

namespace {

bool overlaps(QDate first, QDate last, const DayRange& days) {
    return first <= days.last && days.first <= last;
}

// The parts of the range outside the days.
QList<DayRange> cut(const DayRange& range, const DayRange& days) {
    if (!overlaps(range.first, range.last, days))
        return {range};
    QList<DayRange> parts;
    if (range.first < days.first)
        parts.append({range.first, days.first.addDays(-1)});
    if (range.last > days.last)
        parts.append({days.last.addDays(1), range.last});
    return parts;
}

QList<DayRange> cutAll(const QList<DayRange>& ranges, const DayRange& days) {
    QList<DayRange> kept;
    for (const DayRange& range : ranges)
        kept.append(cut(range, days));
    return kept;
}

} // namespace

void AddLeave(ServiceTerm& term, const DayRange& days) {
    term.leave = MergedRanges(term.leave << days);
}

void AddDaysOff(ServiceTerm& term, const DayRange& days) {
    term.daysOff = MergedRanges(term.daysOff << days);
}

void AddDuty(ServiceTerm& term, const DutyEntry& entry) {
    if (term.duty.contains(entry))
        return;
    term.duty.append(entry);
    std::stable_sort(term.duty.begin(), term.duty.end(),
                     [](const DutyEntry& a, const DutyEntry& b) { return a.first < b.first; });
}

void AddOwnDate(ServiceTerm& term, const OwnDate& date) {
    term.ownDates.removeIf([&](const OwnDate& other) { return other.days == date.days; });
    term.ownDates.append(date);
    std::stable_sort(term.ownDates.begin(), term.ownDates.end(),
                     [](const OwnDate& a, const OwnDate& b) { return a.days.first < b.days.first; });
}

void ClearDays(ServiceTerm& term, const DayRange& days) {
    term.leave = cutAll(term.leave, days);
    term.daysOff = cutAll(term.daysOff, days);
    QList<DutyEntry> duty;
    for (const DutyEntry& entry : term.duty) {
        if (entry.timed() && overlaps(entry.first, entry.last, days))
            continue;
        for (const DayRange& part : entry.timed() ? QList<DayRange>{{entry.first, entry.last}}
                                                  : cut({entry.first, entry.last}, days))
            duty.append(entry.timed() ? entry : DutyEntry{part.first, part.last, {}, {}});
    }
    term.duty = duty;
    term.ownDates.removeIf(
        [&](const OwnDate& date) { return overlaps(date.days.first, date.days.last, days); });
}

QString ServiceFilePath() {
    return QFileInfo(SettingsFilePath()).dir().absoluteFilePath(QStringLiteral("pilgrast.ini"));
}

namespace {

void readDuty(const IniText& file, QStringList& notUsed) {
    for (const QString& entry : entriesOf(file.value(group, dutyKey))) {
        if (const DutyEntryReading reading = ReadDutyEntry(entry); reading.entry)
            Term.duty.append(*reading.entry);
        else
            notUsed.append(notTaken(dutyKey, entry));
    }
}

void readOwnDates(const IniText& file, QStringList& notUsed) {
    for (const QString& key : file.keys(ownDatesGroup)) {
        const QString name = file.value(ownDatesGroup, key).trimmed();
        const std::optional<DayRange> days = ReadDayRange(key);
        if (days && !name.isEmpty())
            Term.ownDates.append({*days, name});
        else
            notUsed.append(QStringLiteral("[%1] %2").arg(ownDatesGroup, notTaken(key, name)));
    }
    std::stable_sort(Term.ownDates.begin(), Term.ownDates.end(),
                     [](const OwnDate& a, const OwnDate& b) { return a.days.first < b.days.first; });
}

// The local days of the region read before them, in the region's order, as the window ticks
// them; a key the region has not is not taken.
void readLocalHolidays(const IniText& file, QStringList& notUsed) {
    const QStringList listed = entriesOf(file.value(group, localHolidaysKey));
    for (const LocalHoliday& day : LocalHolidays(Term.region))
        if (listed.contains(day.key))
            Term.localHolidays.append(day.key);
    for (const QString& key : listed)
        if (!Term.localHolidays.contains(key))
            notUsed.append(notTaken(localHolidaysKey, key));
}

// Reads every value of the file into Term; returns those that could not be used.
QStringList readTerm(const IniText& file) {
    QStringList notUsed;
    const QString startText = file.value(group, startKey).trimmed();
    if (const std::optional<QDate> start = ReadDay(startText))
        Term.start = *start;
    else if (!startText.isEmpty())
        notUsed.append(notTaken(startKey, startText));

    const QString region = file.value(group, regionKey).trimmed();
    if (const std::optional<QString> code = RegionCode(region))
        Term.region = *code;
    else
        notUsed.append(notTaken(regionKey, region));
    readLocalHolidays(file, notUsed);
    const QString kind = file.value(group, kindKey).trimmed();
    if (const std::optional<ServiceKind> known = ReadServiceKind(kind))
        Term.kind = *known;
    else if (!kind.isEmpty())
        notUsed.append(notTaken(kindKey, kind));

    Term.leave = readRanges(file, leaveKey, notUsed);
    readDuty(file, notUsed);
    Term.daysOff = readRanges(file, daysOffKey, notUsed);

    const QString entitlement = file.value(group, entitlementKey);
    if (!entitlement.isNull()) {
        Term.leaveEntitlement = ReadLeaveEntitlement(entitlement);
        if (!Term.leaveEntitlement)
            notUsed.append(notTaken(entitlementKey, entitlement.trimmed()));
    }
    Term.calendarFile = file.value(group, calendarFileKey).trimmed();
    readOwnDates(file, notUsed);
    return notUsed;
}

// A key the program writes only when it holds something, so that a file without these
// settings stays as it always was.
void setOrRemove(IniText& file, const QString& key, const QString& value) {
    if (value.isEmpty())
        file.removeKey(group, key);
    else
        file.setValue(group, key, value);
}

void writeOwnDates(IniText& file, const QList<OwnDate>& ownDates) {
    QStringList keys;
    for (const OwnDate& date : ownDates)
        keys.append(DayRangeText(date.days));
    for (const QString& key : file.keys(ownDatesGroup))
        if (!keys.contains(key))
            file.removeKey(ownDatesGroup, key);
    for (const OwnDate& date : ownDates)
        file.setValue(ownDatesGroup, DayRangeText(date.days), IniText::Quoted(date.name));
}

} // namespace

QString ReadServiceTerm() {
    const QString path = ServiceFilePath();
    Term = ServiceTerm{};
    const QString failureText =
        QStringLiteral("Die Dienstzeitdatei „%1“ kann nicht gelesen werden").arg(path);
    QByteArray content;
    try {
        if (QFileInfo(path).isDir())
            FailWithFileError(failureText, EISDIR);
        content = ReadWholeFile(path, failureText);
    } catch (const ProgramError& error) {
        return error.description();
    }
    if (!IniText::IsSettingsText(content))
        return QStringLiteral("Die Dienstzeitdatei „%1“ ist keine Einstellungsdatei (kein Text mit "
                              "Gruppen wie [Dienstzeit]). Sie bleibt unberücksichtigt und unverändert, "
                              "bis Sie im Fenster „Dienstzeit“ speichern.")
            .arg(path);
    const QStringList notUsed = readTerm(IniText(content));
    if (notUsed.isEmpty())
        return {};
    return QStringLiteral(
               "Die Dienstzeitdatei „%1“ enthält ungültige Werte, sie bleiben unberücksichtigt:\n%2")
        .arg(path, notUsed.join(QLatin1Char('\n')));
}

void WriteServiceTerm(const ServiceTerm& term) {
    const auto joined = [](const QStringList& texts) { return texts.join(QStringLiteral(", ")); };
    QStringList leave, duty, daysOff;
    for (const DayRange& period : term.leave)
        leave.append(DayRangeText(period));
    for (const DutyEntry& entry : term.duty)
        duty.append(DutyEntryText(entry));
    for (const DayRange& period : term.daysOff)
        daysOff.append(DayRangeText(period));
    changeServiceFile(
        [&](IniText& file) {
            file.setValue(group, startKey, term.start.isValid() ? DayText(term.start) : QString());
            // An older file's "BY" stays as written while it means the region saved.
            const QString writtenRegion = file.value(group, regionKey).trimmed();
            if (writtenRegion.isNull() || RegionCode(writtenRegion) != term.region)
                file.setValue(group, regionKey, term.region);
            setOrRemove(file, localHolidaysKey, joined(term.localHolidays));
            // The usual kind is written only where the file names a kind already.
            if (term.kind != ServiceKind::MilitaryService || !file.value(group, kindKey).isNull())
                file.setValue(group, kindKey, ServiceKindKey(term.kind));
            file.setValue(group, leaveKey, joined(leave));
            setOrRemove(file, dutyKey, joined(duty));
            setOrRemove(file, daysOffKey, joined(daysOff));
            setOrRemove(file, entitlementKey,
                        term.leaveEntitlement ? LeaveDaysNumber(*term.leaveEntitlement) : QString());
            setOrRemove(file, calendarFileKey,
                        term.calendarFile.isEmpty() ? QString() : IniText::Quoted(term.calendarFile));
            writeOwnDates(file, term.ownDates);
        },
        true);
    Term = term;
}

bool MilestoneAnnounced(const QString& milestone) {
    try {
        return announced(IniText(ReadWholeFile(ServiceFilePath(), QString()))).contains(milestone);
    } catch (const ProgramError&) {
        return false; // an unreadable file has told no milestone
    }
}

void RememberMilestoneAnnounced(const QString& milestone) {
    changeServiceFile(
        [&](IniText& file) {
            QStringList milestones = announced(file);
            if (!milestones.contains(milestone))
                milestones.append(milestone);
            file.setValue(announcedGroup, announcedKey, milestones.join(QStringLiteral(", ")));
        },
        false);
}
