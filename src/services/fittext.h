// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLineEdit>

// The width a box needs to show the whole text in its font, with the frame and
// margins of the style in use.
int LineEditWidthFor(const QLineEdit* box, const QString& text);
