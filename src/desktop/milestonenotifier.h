// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "services/countdisplay.h"
#include "serviceterm/announcements.h"

#include <QDBusConnection>
#include <QObject>
#include <QSet>

// Sends what the term announces on a day (AnnouncementsOn: each milestone of the term on its
// day and each own date on its first) as a desktop notification through
// org.freedesktop.Notifications on the session bus. One once told is remembered in
// pilgrast.ini and never told again; one whose day passed while the program was not
// running is not told later. Without a notification service nothing happens, and
// nothing is remembered.
class MilestoneNotifier : public QObject, public CountDisplay {
    Q_OBJECT
public:
    explicit MilestoneNotifier(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                               QObject* parent = nullptr);
    ~MilestoneNotifier() override;

    // Looks at the days once a day, with the days count the main window shows.
    void showCount(const CountReport& report) override;
    // A changed term may make a milestone or an own date today's: it is looked at again.
    void termChanged() override;

private:
    void lookAtToday(qint64 daysLeft);
    bool alreadyTold(const QString& key) const;
    void announce(const Announcement& announcement);

    QDBusConnection m_bus;
    qint64 m_dayLookedAt = -1;
    std::optional<qint64> m_daysLeft;
    QSet<QString> m_asked; // asked for in this run, remembered in the file once shown
};
