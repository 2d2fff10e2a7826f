// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "milestonenotifier.h"

#include "services/programerror.h"
#include "serviceterm/announcements.h"
#include "serviceterm/serviceterm.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

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
    for (const Announcement& announcement : AnnouncementsOn(TermCalendar, m_dayLookedAt, daysLeft))
        if (!alreadyTold(announcement.key))
            announce(announcement);
}

// Told before, or asked for in this run and not yet answered.
bool MilestoneNotifier::alreadyTold(const QString& key) const {
    return m_asked.contains(key) || MilestoneAnnounced(key);
}

// Asks the notification service without waiting for it; only a notification that was
// shown is remembered.
void MilestoneNotifier::announce(const Announcement& announcement) {
    const QString& key = announcement.key;
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("de.pilgrast.counter")}};
    notify << QStringLiteral("Pilgrast Counter") << 0u << QStringLiteral("de.pilgrast.counter")
           << announcement.summary << announcement.body << QStringList() << hints << -1;
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
