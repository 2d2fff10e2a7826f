// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPalette>
#include <QWidget>
#include <optional>

class QPainter;

// The tailor's tape measure of the last 150 days: 150 centimetres, cut by one a day. From
// "Noch 150 Tage" on it is drawn to scale with what is left, the cut end at today; before
// that the whole tape, with the days until it starts.

// The tape's caption: "noch 87 cm", "noch 18 Tage bis zum Maßband".
QString TapeCaption(std::optional<qint64> daysLeft);
// The centimetres left on the tape for the days left.
int TapeCentimetres(std::optional<qint64> daysLeft);
// Draws the caption and the tape into the area.
void PaintTape(QPainter& painter, const QRectF& area, std::optional<qint64> daysLeft,
               const QPalette& palette);
// The height the tape wants for the font.
int TapeHeight(const QFont& font);

class TapeMeasure : public QWidget {
    Q_OBJECT
public:
    explicit TapeMeasure(QWidget* parent = nullptr);
    // The days as the main window shows them; nothing when not known.
    void setDaysLeft(std::optional<qint64> days);
    std::optional<qint64> daysLeft() const { return m_days; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<qint64> m_days;
};
