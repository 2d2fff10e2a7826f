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

MilestoneText OwnDateNotification(const QString& name, QDate last, bool range, qint64 daysLeft) {
    const QString when = range ? QStringLiteral("Heute beginnt es, bis %1").arg(DayText(last))
                               : QStringLiteral("Heute ist es so weit");
    return {name, QStringLiteral("%1 – %2 bis zum Pilgrast.").arg(when, daysText(daysLeft))};
}

MilestoneNotifier::MilestoneNotifier(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus) {
    AddCountDisplay(this);
}

MilestoneNotifier::~MilestoneNotifier() {
    RemoveCountDisplay(this);
}

void MilestoneNotifier::showCount(const CountReport& report) {
    if (report.days)
        m_daysLeft = report.days;
    const qint64 today = qint64(Date());
    if (today == m_dayLookedAt || !m_daysLeft || !m_bus.isConnected())
        return;
    m_dayLookedAt = today;
    lookAtToday(*m_daysLeft);
}

void MilestoneNotifier::termChanged() {
    m_dayLookedAt = -1;
}

void MilestoneNotifier::lookAtToday(qint64 daysLeft) {
    if (!TermCalendar.endDay())
        return; // no end of service, no milestones
    const qint64 today = m_dayLookedAt;
    const QString day = DayText(CalendarDate(today));
    for (const Milestone& milestone : TermCalendar.milestones()) {
        const QString key = milestone.name + QLatin1Char(' ') + day;
        if (milestone.day == today && !alreadyTold(key)) {
            const MilestoneText text = MilestoneNotification(milestone.name, daysLeft);
            announce(key, text.summary, text.body);
        }
    }
    for (const OwnDay& date : TermCalendar.ownDates()) {
        const QString key = date.name + QLatin1Char(' ') + day;
        if (date.first == today && !alreadyTold(key)) {
            const MilestoneText text =
                OwnDateNotification(date.name, CalendarDate(date.last), date.last != date.first, daysLeft);
            announce(key, text.summary, text.body);
        }
    }
}

// Told before, or asked for in this run and not yet answered.
bool MilestoneNotifier::alreadyTold(const QString& key) const {
    return m_asked.contains(key) || MilestoneAnnounced(key);
}

// Asks the notification service without waiting for it; only a notification that was
// shown is remembered.
void MilestoneNotifier::announce(const QString& key, const QString& summary, const QString& body) {
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("de.pilgrast.counter")}};
    notify << QStringLiteral("Pilgrast Counter") << 0u << QStringLiteral("de.pilgrast.counter") << summary
           << body << QStringList() << hints << -1;
    m_asked.insert(key);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(notify), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, key](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        if (QDBusPendingReply<uint>(*call).isError()) {
            m_asked.remove(key); // not shown: it may be told when next looked at
            return;
        }
        try {
            RememberMilestoneAnnounced(key);
        } catch (const ProgramError&) {
            // Not remembered: it may be told once more at the next start, which does no harm.
        }
    });
}
