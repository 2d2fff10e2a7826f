// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

// Centring a window and seeing that it is minimised need a window system that
// allows both; native Wayland allows neither. So in a Wayland session the program
// runs through X11 (XWayland) where it can, and on Wayland otherwise.

// The Qt platform to ask for, or empty to leave Qt's choice: the user's own choice
// holds; in a Wayland session X11 comes first, Wayland second.
QByteArray PlatformChoice(const QByteArray& usersChoice, bool waylandSession);

// Applies the choice to this process, before the application object exists.
void ChooseWindowSystem();
