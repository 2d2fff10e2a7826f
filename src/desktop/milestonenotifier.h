// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "services/countdisplay.h"

#include <QDBusConnection>
#include <QObject>

// One desktop notification on the day of each milestone of the term ("Bergfest",
// "Noch 150 Tage", ...), through org.freedesktop.Notifications on the session bus. A
// milestone once told is remembered in pilgrast.ini and never told again; one whose day
// passed while the program was not running is not told later. Without a notification
// service nothing happens, and nothing is remembered.
class MilestoneNotifier : public QObject, public CountDisplay {
    Q_OBJECT
public:
    explicit MilestoneNotifier(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                               QObject* parent = nullptr);
    ~MilestoneNotifier() override;

    // Looks at the milestones once a day, on the first tick of the day.
    void showDaysLeft(qint64 days) override;

private:
    void announce(const QString& milestone, const QString& summary, const QString& body);

    QDBusConnection m_bus;
    qint64 m_dayLookedAt = -1;
};

// The notification's summary and body for a milestone, with the days left to the end of service.
struct MilestoneText {
    QString summary;
    QString body;
};
MilestoneText MilestoneNotification(const QString& milestone, qint64 daysLeft);
