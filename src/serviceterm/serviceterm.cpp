// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "serviceterm.h"

#include "holidays.h"
#include "inifile.h"
#include "services/programerror.h"
#include "settings/fileaccess.h"
#include "settings/settingsfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <functional>

ServiceTerm Term;

namespace {

const QString group = QStringLiteral("Dienstzeit");
const QString startKey = QStringLiteral("Beginn");
const QString regionKey = QStringLiteral("Bundesland");
const QString leaveKey = QStringLiteral("Urlaub");

const QString announcedGroup = QStringLiteral("Meldungen");
const QString announcedKey = QStringLiteral("Gezeigt");

QStringList announced(const IniText& file) {
    QStringList milestones;
    for (const QString& entry : file.value(announcedGroup, announcedKey).split(QLatin1Char(',')))
        if (!entry.trimmed().isEmpty())
            milestones.append(entry.trimmed());
    return milestones;
}

// Reads the file, lets the change edit it and saves it in full, crash-safely; the
// lines the change does not touch stay as they were.
void changeServiceFile(const std::function<void(IniText&)>& change) {
    const QString path = ServiceFilePath();
    const QString failureText =
        QStringLiteral("Die Dienstzeitdatei „%1“ kann nicht gespeichert werden").arg(path);
    if (QFileInfo(path).isDir())
        FailWithFileError(failureText, EISDIR);
    IniText file(ReadWholeFile(path, failureText));
    change(file);
    if (const std::optional<int> cause = ReplaceFile(path, file.toUtf8(), failureText))
        FailWithFileError(failureText, *cause);
}

QString notTaken(const QString& key, const QString& value) {
    return QStringLiteral("%1=%2").arg(key, value);
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

std::optional<LeavePeriod> ReadLeave(const QString& text) {
    const QStringList ends = text.split(QLatin1Char('-'));
    if (ends.size() > 2)
        return std::nullopt;
    const std::optional<QDate> first = ReadDay(ends.first());
    const std::optional<QDate> last = ReadDay(ends.last());
    if (!first || !last || *last < *first)
        return std::nullopt;
    return LeavePeriod{*first, *last};
}

QString LeaveText(const LeavePeriod& period) {
    if (period.first == period.last)
        return DayText(period.first);
    return DayText(period.first) + QLatin1Char('-') + DayText(period.last);
}

QString ServiceFilePath() {
    return QFileInfo(SettingsFilePath()).dir().absoluteFilePath(QStringLiteral("pilgrast.ini"));
}

QString ReadServiceTerm() {
    const QString path = ServiceFilePath();
    Term = ServiceTerm{};
    const QString failureText =
        QStringLiteral("Die Dienstzeitdatei „%1“ kann nicht gelesen werden").arg(path);
    IniText file;
    try {
        if (QFileInfo(path).isDir())
            FailWithFileError(failureText, EISDIR);
        file = IniText(ReadWholeFile(path, failureText));
    } catch (const ProgramError& error) {
        return error.description();
    }

    QStringList notUsed;
    const QString startText = file.value(group, startKey).trimmed();
    if (const std::optional<QDate> start = ReadDay(startText))
        Term.start = *start;
    else if (!startText.isEmpty())
        notUsed.append(notTaken(startKey, startText));

    const QString region = file.value(group, regionKey).trimmed();
    if (IsHolidayRegion(region))
        Term.region = region;
    else
        notUsed.append(notTaken(regionKey, region));

    for (const QString& entry : file.value(group, leaveKey).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (entry.trimmed().isEmpty())
            continue;
        if (const std::optional<LeavePeriod> period = ReadLeave(entry))
            Term.leave.append(*period);
        else
            notUsed.append(notTaken(leaveKey, entry.trimmed()));
    }
    if (notUsed.isEmpty())
        return {};
    return QStringLiteral(
               "Die Dienstzeitdatei „%1“ enthält ungültige Werte, sie bleiben unberücksichtigt:\n%2")
        .arg(path, notUsed.join(QLatin1Char('\n')));
}

void WriteServiceTerm(const ServiceTerm& term) {
    QStringList leave;
    for (const LeavePeriod& period : term.leave)
        leave.append(LeaveText(period));
    changeServiceFile([&](IniText& file) {
        file.setValue(group, startKey, term.start.isValid() ? DayText(term.start) : QString());
        file.setValue(group, regionKey, term.region);
        file.setValue(group, leaveKey, leave.join(QStringLiteral(", ")));
    });
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
    changeServiceFile([&](IniText& file) {
        QStringList milestones = announced(file);
        if (!milestones.contains(milestone))
            milestones.append(milestone);
        file.setValue(announcedGroup, announcedKey, milestones.join(QStringLiteral(", ")));
    });
}
