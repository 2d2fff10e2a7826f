// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>
#include <QLineEdit>

// The size a box needs to show the whole text in its font, with the frame and margins
// of the style in use; its height as it is.
QSize LineEditSizeFor(const QLineEdit* box, const QString& text);

// Fits a one-line label's text into its line: the label widens around its own centre as
// far as its window allows, and the font shrinks in half points from its present size
// down to smallest while the text is still wider.
void ShrinkFontToFit(QLabel* label, qreal smallest);

// Lets every box, label and button of a window laid out by fixed positions grow where
// the style in use or the font needs more room than its place gives, never shrinking:
// a widget grows to the right (a right-aligned label to the left), the widgets beside
// it in its row move along, and frames and the window (or the widget given) grow to hold them. A box shows
// its text or, wider, the text of its "widestText" property.
void GrowToFit(QWidget* window);

// The size a widget needs for its whole text with the style in use.
QSize NeededSize(const QWidget* widget);
