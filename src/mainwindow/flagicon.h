// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QImage>

// The program's icon: a small flag of three stripes, black over red over yellow,
// framed by a one-pixel black line, transparent above and below.
QImage FlagImage(int size);
QIcon FlagIcon(); // 16 × 16 and 32 × 32
