// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "statusline.h"

#include "settings/declarations.h"
#include "services/clock.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>
#include <cmath>

namespace {

constexpr double secondsPerDay = 86400;

// The figure without its unit: "113".
QString figureAlone(const QString& figure) {
    return figure.section(QLatin1Char(' '), 0, 0);
}

QString jsonLine(const CountReport& report) {
    QJsonObject object{{QStringLiteral("text"), report.figure},
                       {QStringLiteral("tooltip"), CountToolTip(report)},
                       {QStringLiteral("alt"), StatusClass(report.phase)},
                       {QStringLiteral("class"), StatusClass(report.phase)}};
    if (report.share)
        object.insert(QStringLiteral("percentage"), SharePercent(*report.share));
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QString genmonText(const CountReport& report) {
    QString text = QStringLiteral("<txt>%1</txt><tool>%2</tool>")
                       .arg(report.figure.toHtmlEscaped(), CountToolTip(report).toHtmlEscaped());
    if (report.share)
        text += QStringLiteral("<bar>%1</bar>").arg(SharePercent(*report.share));
    return text;
}

// The next instant the count in the unit shown changes: its unit boundaries.
DateValue nextUnitBoundary(DateValue now, qint16 unit) {
    const double units = unit == Unit::Seconds   ? secondsPerDay
                         : unit == Unit::Minutes ? 1440
                         : unit == Unit::Hours   ? 24
                                                 : 1;
    return (std::floor(now * units + 1e-6) + 1) / units;
}

DateValue nextWholePercent(double share, DateValue start, DateValue end) {
    return start + (SharePercent(share) + 1) / 100.0 * (end - start);
}

} // namespace

std::optional<StatusFormat> ReadStatusFormat(const QString& name) {
    if (name == QLatin1String("text"))
        return StatusFormat::Text;
    if (name == QLatin1String("json"))
        return StatusFormat::Json;
    if (name == QLatin1String("i3blocks"))
        return StatusFormat::I3blocks;
    if (name == QLatin1String("genmon"))
        return StatusFormat::Genmon;
    return std::nullopt;
}

QString StatusClass(CountPhase phase) {
    switch (phase) {
    case CountPhase::Running:
        return QStringLiteral("dienst");
    case CountPhase::Standing:
        return QStringLiteral("frei");
    case CountPhase::Over:
        return QStringLiteral("ende");
    }
    return {};
}

QString StatusOutput(const CountReport& report, StatusFormat format, bool followed) {
    switch (format) {
    case StatusFormat::Text:
        break;
    case StatusFormat::Json:
        return jsonLine(report) + QLatin1Char('\n');
    case StatusFormat::I3blocks:
        if (followed)
            break;
        return report.figure + QLatin1Char('\n') + figureAlone(report.figure) + QStringLiteral("\n\n");
    case StatusFormat::Genmon:
        return genmonText(report) + QLatin1Char('\n');
    }
    return report.figure + QLatin1Char('\n');
}

DateValue NextChangeAt(const CounterView& view, DateValue now) {
    constexpr DateValue oneSecond = 1 / secondsPerDay;
    QList<DateValue> candidates{std::floor(now) + 1};
    if (view.report.phase != CountPhase::Standing) // after the end, the counts run on below zero
        candidates.append(nextUnitBoundary(now, Settings.Anzeige));
    if (view.duty.period)
        candidates.append(view.duty.period->end);
    if (view.duty.nextStart) {
        // Duty begins strictly after its start: the counts run from the second after it.
        candidates.append(*view.duty.nextStart);
        candidates.append(*view.duty.nextStart + oneSecond);
    }
    if (const std::optional<DateValue> end = TermCalendar.endOfService())
        candidates.append(*end);
    if (const std::optional<DateValue> done = TermCalendar.nextDutyDayDone(now))
        candidates.append(*done);
    if (view.report.share && *view.report.share < 1 && TermCalendar.startOfService() &&
        TermCalendar.endOfService())
        candidates.append(nextWholePercent(*view.report.share, *TermCalendar.startOfService(),
                                           *TermCalendar.endOfService()));
    DateValue next = std::floor(now) + 1;
    for (const DateValue candidate : candidates) {
        // The clock shows whole seconds: a change between two shows at the later one.
        const DateValue shownAt = std::ceil(candidate * secondsPerDay - 1e-6) / secondsPerDay;
        if (shownAt > now + oneSecond / 2)
            next = std::min(next, shownAt);
    }
    return next;
}

QDateTime NextWakeUp(const CounterView& view, const QDateTime& now) {
    const QDateTime second = now.addMSecs(-now.time().msec());
    const DateValue wall = DateValueOf(second);
    const qint64 secondsAhead = std::llround((NextChangeAt(view, wall) - wall) * secondsPerDay);
    const QTimeZone zone = second.timeZone();
    const QDateTime wake =
        QDateTime::fromMSecsSinceEpoch(second.toMSecsSinceEpoch() + secondsAhead * 1000, zone);
    // Counted on the wall clock, which jumps where the zone's offset changes: an hour that
    // does not exist in spring, an hour twice in autumn. Woken there, the next change is
    // worked out on the wall clock as it then reads.
    const QTimeZone::OffsetData jump = zone.nextTransition(second);
    return jump.atUtc.isValid() && jump.atUtc < wake ? jump.atUtc.toTimeZone(zone) : wake;
}

FollowedStatus FollowedStatusNow(StatusFormat format) {
    const QDateTime now = CurrentClock().currentDateTime();
    const CounterView view = FreshCounterView();
    return {StatusOutput(view.report, format, true), NextWakeUp(view, now)};
}
