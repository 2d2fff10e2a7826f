// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QImage>
#include <array>

// The program's icon: a small flag of three stripes, black over red over yellow,
// framed by a one-pixel black line, transparent above and below.
QImage FlagImage(int size);

// The sizes of the icon theme, so that menus, docks and the task switcher find a sharp
// picture at every scale.
constexpr std::array<int, 8> FlagIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// The windows' icon, drawn once: every size of the theme up to 128 pixels, sharp in the
// title bar, the tray and the task switcher at twice the scale. Each window sends its
// icon to the window system as it opens, so it stays small.
QIcon FlagIcon();
