// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dockentry.h"

#include "serviceterm/servicecalendar.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTimer>
#include <cmath>

namespace {

const QString dockService = QStringLiteral("com.canonical.Unity");
const QString entryPath = QStringLiteral("/de/pilgrast/counter");

} // namespace

DockEntry::DockEntry(std::function<bool()> countWindowOpen, const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_countWindowOpen(std::move(countWindowOpen)), m_bus(bus),
      m_dockWatcher(dockService, bus, QDBusServiceWatcher::WatchForRegistration) {
    // A dock that starts later has missed what was sent; it is told everything again.
    connect(&m_dockWatcher, &QDBusServiceWatcher::serviceRegistered, this, &DockEntry::send);
    AddCountDisplay(this);
}

DockEntry::~DockEntry() {
    RemoveCountDisplay(this);
    // The program ends: the badge and the bar hide, also where it ends with a window open
    // ("Beenden"); a call to the bus itself makes sure the signal has left before it does.
    m_ending = true;
    sendWhenChanged();
    if (m_bus.isConnected())
        m_bus.interface()->serviceOwner(QStringLiteral("org.freedesktop.DBus"));
}

DockEntry::Shown DockEntry::now() const {
    return {m_days, !m_ending && m_countWindowOpen(), m_share ? ShareTenths(*m_share) : -1};
}

void DockEntry::showCount(const CountReport& report) {
    if (report.days)
        m_days = *report.days;
    m_share = report.share;
    sendWhenChanged();
}

// Settled once the handler that opened or closed a window is done: one window often takes another's place.
void DockEntry::countWindowsChanged() {
    QTimer::singleShot(0, this, &DockEntry::sendWhenChanged);
}

void DockEntry::sendWhenChanged() {
    if (now() != m_sent)
        send();
}

void DockEntry::send() {
    if (!m_bus.isConnected())
        return;
    const Shown shown = now();
    QVariantMap properties{{QStringLiteral("count"), QVariant::fromValue<qint64>(shown.count)},
                           {QStringLiteral("count-visible"), shown.windowOpen && shown.count > 0},
                           {QStringLiteral("progress-visible"), shown.windowOpen && shown.progress >= 0}};
    if (shown.progress >= 0)
        properties.insert(QStringLiteral("progress"), shown.progress / 1000.0);
    QDBusMessage update = QDBusMessage::createSignal(
        entryPath, QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"));
    update << DockApplicationUri << properties;
    m_bus.send(update);
    m_sent = shown;
}
