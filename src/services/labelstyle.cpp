// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "labelstyle.h"

#include <QApplication>
#include <QPalette>

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
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
}

QColor HighlightColour() {
    return QApplication::palette().color(QPalette::Highlight);
}
