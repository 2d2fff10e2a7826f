// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fittext.h"

#include <QStyle>
#include <QStyleOptionFrame>

int LineEditWidthFor(const QLineEdit* box, const QString& text) {
    // As QLineEdit sizes itself: the text, its fixed side margin of 2 pixels and the
    // text margins, then whatever the style's frame adds.
    constexpr int sideMargin = 2;
    const QMargins margins = box->textMargins();
    const QSize content(box->fontMetrics().horizontalAdvance(text) + 2 * sideMargin + margins.left() +
                            margins.right() + 1, // the cursor
                        box->fontMetrics().height());
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    return box->style()->sizeFromContents(QStyle::CT_LineEdit, &option, content, box).width();
}
