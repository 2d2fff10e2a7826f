// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "holidays.h"
#include "serviceterm.h"

// What the kind of service means: its free days at the place of duty and the leave its rules give.

struct ServiceKindName {
    ServiceKind kind;
    QString key;     // as the settings file keeps it: "Soldat auf Zeit"
    QString caption; // as the window offers it: "Freiwilligendienst (BFD, FSJ)"
};

// Every kind, in the order the window offers them.
const QList<ServiceKindName>& ServiceKinds();
std::optional<ServiceKind> ReadServiceKind(const QString& key);
QString ServiceKindKey(ServiceKind kind);

// The term's free days at its place of duty in a year: the public holidays with the local
// days ticked and, for a German soldier wherever German holidays count, 24 and 31 December
// from Monday to Friday, on which duty ends as on a holiday (Soldatenarbeitszeitverordnung
// § 5 Abs. 3). In the order of the calendar.
QList<PublicHoliday> HolidaysOfTerm(const ServiceTerm& term, int year);

// The full months of service from the first day to the last, as a period of months is
// counted (BGB §§ 187, 188): 1.4. to 30.9. is six, 31.1. to 28.2. one.
int FullMonths(QDate first, QDate last);

struct LeaveProposal {
    double days;
    QString rule; // "2,5 Tage je voller Monat: 27,5 Tage"
};
// The leave the rules give the kind of service from the first day to the last; nothing for a
// kind whose rules give none that could be computed.
std::optional<LeaveProposal> ProposedLeave(ServiceKind kind, QDate first, QDate last);
