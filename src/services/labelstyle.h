// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QLabel>
#include <initializer_list>

// The program's label looks: a sans-serif (or serif) face at a point size, in a
// colour. Set directly on font and palette, which keeps the windows light.
enum class Face { Sans, Serif };

void StyleLabels(std::initializer_list<QLabel*> labels, Face face, qreal pointSize, bool bold,
                 const QColor& colour);

// The system's highlight colour, and pure red.
QColor HighlightColour();
inline QColor PureRed() {
    return QColor(255, 0, 0);
}
