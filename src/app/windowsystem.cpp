// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowsystem.h"

#include <QtGlobal>

QByteArray PlatformChoice(const QByteArray& usersChoice, bool waylandSession) {
    if (!usersChoice.isEmpty() || !waylandSession)
        return {};
    return QByteArrayLiteral("xcb;wayland"); // Qt tries them in this order
}

void ChooseWindowSystem() {
    const QByteArray choice =
        PlatformChoice(qgetenv("QT_QPA_PLATFORM"), !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"));
    if (!choice.isEmpty())
        qputenv("QT_QPA_PLATFORM", choice);
}
