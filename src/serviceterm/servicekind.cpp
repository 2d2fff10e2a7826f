// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "servicekind.h"

#include <algorithm>

namespace {

bool germanSoldier(ServiceKind kind) {
    return kind == ServiceKind::MilitaryService || kind == ServiceKind::FixedTermSoldier;
}

// The last day of the m-th month of service counted from first: the day before the day of the
// same number, or the month's last day where it has no such day.
QDate monthEnd(QDate first, int m) {
    const QDate shifted = first.addMonths(m);
    return shifted.day() == first.day() ? shifted.addDays(-1) : shifted;
}

// Soldat auf Zeit: 30 days for each whole calendar year of service, a twelfth of them for each
// full month of service in a year begun or ended within the service (Erholungsurlaubsverordnung
// § 5 Abs. 1 and 2 with the Soldatinnen- und Soldatenurlaubsverordnung § 1).
double fixedTermLeave(QDate first, QDate last) {
    double days = 0;
    for (int year = first.year(); year <= last.year(); ++year) {
        const QDate from = std::max(first, QDate(year, 1, 1));
        const QDate to = std::min(last, QDate(year, 12, 31));
        const int months = FullMonths(from, to);
        days += months == 12 ? 30 : 2.5 * months;
    }
    return days;
}

} // namespace

const QList<ServiceKindName>& ServiceKinds() {
    static const QList<ServiceKindName> kinds = {
        {ServiceKind::MilitaryService, QStringLiteral("Wehrdienst"), QStringLiteral("Wehrdienst")},
        {ServiceKind::FixedTermSoldier, QStringLiteral("Soldat auf Zeit"), QStringLiteral("Soldat auf Zeit")},
        {ServiceKind::VoluntaryService, QStringLiteral("Freiwilligendienst"),
         QStringLiteral("Freiwilligendienst (BFD, FSJ)")},
        {ServiceKind::BasicMilitaryService, QStringLiteral("Grundwehrdienst"),
         QStringLiteral("Grundwehrdienst (Österreich)")},
        {ServiceKind::CivilService, QStringLiteral("Zivildienst"),
         QStringLiteral("Zivildienst (Österreich)")},
        {ServiceKind::RecruitSchool, QStringLiteral("Rekrutenschule"),
         QStringLiteral("Rekrutenschule (Schweiz)")},
    };
    return kinds;
}

std::optional<ServiceKind> ReadServiceKind(const QString& key) {
    for (const ServiceKindName& name : ServiceKinds())
        if (name.key == key)
            return name.kind;
    return std::nullopt;
}

QString ServiceKindKey(ServiceKind kind) {
    for (const ServiceKindName& name : ServiceKinds())
        if (name.kind == kind)
            return name.key;
    return {};
}

QList<PublicHoliday> HolidaysOfTerm(const ServiceTerm& term, int year) {
    QList<PublicHoliday> days = PublicHolidays(term.region, year, term.localHolidays);
    if (!germanSoldier(term.kind) ||
        CountryOf(RegionCode(term.region).value_or(QString())) != QLatin1String("DE"))
        return days;
    for (const PublicHoliday& eve : {PublicHoliday{QDate(year, 12, 24), QStringLiteral("Heiligabend")},
                                     PublicHoliday{QDate(year, 12, 31), QStringLiteral("Silvester")}})
        if (eve.date.dayOfWeek() <= Qt::Friday)
            days.append(eve);
    std::stable_sort(days.begin(), days.end(),
                     [](const PublicHoliday& a, const PublicHoliday& b) { return a.date < b.date; });
    return days;
}

int FullMonths(QDate first, QDate last) {
    int months = 0;
    while (first.isValid() && monthEnd(first, months + 1) <= last)
        ++months;
    return months;
}

std::optional<LeaveProposal> ProposedLeave(ServiceKind kind, QDate first, QDate last) {
    if (!first.isValid() || !last.isValid() || last < first)
        return std::nullopt;
    const int months = FullMonths(first, last);
    switch (kind) {
    case ServiceKind::MilitaryService: // a twelfth of 30 days a month, Erholungsurlaubsverordnung § 5
        return LeaveProposal{2.5 * months,
                             QStringLiteral("2,5 Tage je voller Monat: ") + LeaveDaysText(2.5 * months)};
    case ServiceKind::FixedTermSoldier: {
        const double days = fixedTermLeave(first, last);
        return LeaveProposal{days,
                             QStringLiteral("30 Tage je Jahr, 2,5 je voller Monat im angebrochenen Jahr: ") +
                                 LeaveDaysText(days)};
    }
    case ServiceKind::VoluntaryService: // 24 Werktage for twelve months, by the month
        return LeaveProposal{2.0 * months,
                             QStringLiteral("2 Werktage je voller Monat: ") + LeaveDaysText(2.0 * months)};
    case ServiceKind::CivilService: // Zivildienstgesetz: 10 working days in a five-day week
        return LeaveProposal{10, QStringLiteral("10 Arbeitstage im Zivildienst: ") + LeaveDaysText(10)};
    case ServiceKind::BasicMilitaryService:
    case ServiceKind::RecruitSchool:
        break;
    }
    return std::nullopt;
}
