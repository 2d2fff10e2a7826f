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

// The colour is kept where it reaches WCAG AA against the label's background (4.5:1,
// large text 3:1); otherwise the nearest lighter or darker shade of its hue that does.
void StyleLabels(std::initializer_list<QLabel*> labels, Face face, qreal pointSize, bool bold,
                 const QColor& colour);

// The contrast ratio of two colours, 1 to 21, as WCAG 2 defines it.
double ContrastRatio(const QColor& a, const QColor& b);
// The colour when it reaches the ratio against the background, else the shade of the
// same hue and saturation with the nearest lightness that does.
QColor ReadableShade(const QColor& colour, const QColor& background, double ratio);

// The system's highlight colour, and pure red.
QColor HighlightColour();
inline QColor PureRed() {
    return QColor(255, 0, 0);
}
