// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "milestonenotifier.h"

#include "services/programerror.h"
#include "serviceterm/servicecalendar.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

QString daysText(qint64 days) {
    return days == 1 ? QStringLiteral("noch 1 Tag") : QStringLiteral("noch %1 Tage").arg(days);
}

} // namespace

MilestoneText MilestoneNotification(const QString& milestone, qint64 daysLeft) {
    if (milestone == QLatin1String("Bergfest"))
        return {QStringLiteral("Bergfest!"),
                QStringLiteral("Die Hälfte ist geschafft – %1.").arg(daysText(daysLeft))};
    if (milestone == QLatin1String("Noch 150 Tage"))
        return {QStringLiteral("Noch 150 Tage!"),
                QStringLiteral("Ab heute zählt das Maßband – %1 bis zum Pilgrast.").arg(daysText(daysLeft))};
    if (milestone == QLatin1String("Noch 100 Tage"))
        return {QStringLiteral("Noch 100 Tage!"),
                QStringLiteral("Nur %1 bis zum Pilgrast.").arg(daysText(daysLeft))};
    if (milestone == QLatin1String("Letzte Woche"))
        return {QStringLiteral("Letzte Woche!"),
                QStringLiteral("Die letzte Woche beginnt – %1 bis zum Pilgrast.").arg(daysText(daysLeft))};
    return {QStringLiteral("Letzter Tag!"),
            QStringLiteral("Heute ist Pilgrast – der letzte Tag Ihrer Dienstzeit.")};
}

MilestoneNotifier::MilestoneNotifier(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus) {
    AddCountDisplay(this);
}

MilestoneNotifier::~MilestoneNotifier() {
    RemoveCountDisplay(this);
}

void MilestoneNotifier::showDaysLeft(qint64 /*days*/) {
    const qint64 today = qint64(Date());
    if (today == m_dayLookedAt || !m_bus.isConnected())
        return;
    m_dayLookedAt = today;
    const std::optional<qint64> endDay = TermCalendar.endDay();
    if (!endDay)
        return; // no end of service, no milestones
    for (const Milestone& milestone : TermCalendar.milestones()) {
        if (milestone.day != today)
            continue;
        const QString key = milestone.name + QLatin1Char(' ') + DayText(CalendarDate(today));
        if (MilestoneAnnounced(key))
            continue;
        const MilestoneText text = MilestoneNotification(milestone.name, *endDay - today);
        announce(key, text.summary, text.body);
    }
}

// Asks the notification service without waiting for it; only a notification that was
// shown is remembered.
void MilestoneNotifier::announce(const QString& milestone, const QString& summary, const QString& body) {
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("de.pilgrast.counter")}};
    notify << QStringLiteral("Pilgrast Counter") << 0u << QStringLiteral("de.pilgrast.counter") << summary
           << body << QStringList() << hints << -1;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(notify), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [milestone](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        if (QDBusPendingReply<uint>(*call).isError())
            return;
        try {
            RememberMilestoneAnnounced(milestone);
        } catch (const ProgramError&) {
            // Not remembered: it may be told once more at the next start, which does no harm.
        }
    });
}
