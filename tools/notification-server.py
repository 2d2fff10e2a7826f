#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""A minimal notification service (org.freedesktop.Notifications) as a desktop offers
it on the session bus: prints every notification asked for, one a line, as
application|icon|summary|body|desktop-entry."""

import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NOTIFICATIONS = "org.freedesktop.Notifications"


class Server(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.shown = 0

    @dbus.service.method(NOTIFICATIONS, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, application, replaces, icon, summary, body, actions, hints, timeout):
        self.shown += 1
        print("|".join([application, icon, summary, body, str(hints.get("desktop-entry", ""))]), flush=True)
        return self.shown

    @dbus.service.method(NOTIFICATIONS, in_signature="", out_signature="as")
    def GetCapabilities(self):
        return ["body"]

    @dbus.service.method(NOTIFICATIONS, in_signature="", out_signature="ssss")
    def GetServerInformation(self):
        return ["notification-server.py", "Pilgrast Counter developers", "1", "1.2"]


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    name = dbus.service.BusName(NOTIFICATIONS, bus)
    server = Server(bus)
    print("ready", flush=True)
    GLib.MainLoop().run()


if __name__ == "__main__":
    sys.exit(main())
