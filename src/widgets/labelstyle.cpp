// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "labelstyle.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace {

// WCAG 2: the relative luminance of a colour of the sRGB space.
double luminance(const QColor& colour) {
    const auto channel = [](double value) {
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

// Large text in WCAG's sense: 18 pt, or 14 pt bold.
bool largeText(qreal pointSize, bool bold) {
    return pointSize >= 18 || (bold && pointSize >= 14);
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double lighter = std::max(luminance(a), luminance(b));
    const double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

QColor ReadableShade(const QColor& colour, const QColor& background, double ratio) {
    if (ContrastRatio(colour, background) >= ratio)
        return colour;
    const QColor hsl = colour.toHsl();
    for (int step = 1; step <= 255; ++step) {
        for (const int lightness : {hsl.lightness() - step, hsl.lightness() + step}) {
            if (lightness < 0 || lightness > 255)
                continue;
            const QColor shade = QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness).toRgb();
            if (ContrastRatio(shade, background) >= ratio)
                return shade;
        }
    }
    return colour; // black and white reach any ratio a background allows; nothing is left to try
}

void StyleLabels(std::initializer_list<QLabel*> labels, Face face, qreal pointSize, bool bold,
                 const QColor& colour) {
    // Metric equivalents of the classic Windows faces, with the generic family as fallback.
    QFont font(face == Face::Sans ? QStringLiteral("Liberation Sans") : QStringLiteral("Liberation Serif"));
    font.setStyleHint(face == Face::Sans ? QFont::SansSerif : QFont::Serif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    for (QLabel* label : labels) {
        label->setFont(font);
        QPalette palette = label->palette();
        const double ratio = largeText(pointSize, bold) ? 3.0 : 4.5;
        palette.setColor(QPalette::WindowText,
                         ReadableShade(colour, palette.color(label->backgroundRole()), ratio));
        label->setPalette(palette);
    }
}

QColor HighlightColour() {
    return QApplication::palette().color(QPalette::Highlight);
}
