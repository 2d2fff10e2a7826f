// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "serviceterm/servicecalendar.h"

#include <QDate>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <optional>

class QPainter;

// The months of the service as month grids, Monday first, with the calendar weeks, laid
// out in rows as the width allows (a quarter to a row where there is room).
class CalendarLayout {
public:
    CalendarLayout(QDate firstMonth, QDate lastMonth, const QFont& font, int width);

    QSize extent() const; // of all the months drawn
    int monthCount() const { return m_months; }
    QDate month(int index) const { return m_first.addMonths(index); }
    int monthsPerRow() const { return m_perRow; }
    QRect monthRect(int index) const;
    QRect titleRect(int index) const;
    // The cell of a column (0: the week, 1 to 7: Monday to Sunday) in a row (0: the
    // weekdays' names, 1 to 6: the weeks).
    QRect cellRect(int index, int column, int row) const;
    // The day's cell; empty for a day outside the months shown.
    QRect dayRect(QDate day) const;
    std::optional<QDate> dayAt(QPoint point) const;
    QDate firstDay() const { return m_first; }
    QDate lastDay() const;
    QSize cellSize() const { return {m_cellWidth, m_cellHeight}; }

private:
    int weekRowOf(QDate day) const;

    QDate m_first;
    int m_months;
    int m_cellWidth;
    int m_cellHeight;
    int m_titleHeight;
    int m_gap;
    int m_perRow;
};

// How a day is drawn: its colour, and marks that tell its kind without colour.
struct DayLook {
    QColor background;
    QColor number;          // the day number, readable on the background (WCAG AA)
    QColor mark;            // the colour of hatching, dots, bars and corners
    bool hatched = false;   // leave: diagonal lines
    bool dotted = false;    // a day off: dots
    bool dutyBar = false;   // a duty period: a bar along the bottom
    bool holiday = false;   // a public holiday: a corner at the top right
    bool ownDate = false;   // an own date: a dot at the top left
    bool milestone = false; // a milestone: a diamond at the bottom right
    bool framed = false;    // the first and the last day of service: a heavy frame
    bool today = false;     // an outline in the highlight colour
    bool done = false;      // crossed off
};

// The look of the day at the instant in the palette; selected days are drawn in the highlight colour.
DayLook LookOf(const DayInfo& info, DateValue now, const QPalette& palette, bool selected = false);

// One entry of the legend: what it is called and a day that looks like it; the days chosen
// are named only where days can be chosen.
struct LegendEntry {
    QString name;
    DayInfo sample;
    bool chosen = false;
};
const QList<LegendEntry>& Legend();

// Draws the months of the layout from the calendar, the days selected in the highlight colour.
void PaintMonths(QPainter& painter, const CalendarLayout& layout, const ServiceCalendar& calendar,
                 DateValue now, const QPalette& palette, QDate selectedFrom = {}, QDate selectedTo = {});
// One day's cell with its number.
void PaintDay(QPainter& painter, const QRect& cell, int number, const DayLook& look);
// The legend in rows as wide as the width given, with the days chosen where days can be chosen;
// returns the height it took.
int PaintLegend(QPainter& painter, const QPoint& topLeft, int width, const QFont& font,
                const QPalette& palette, DateValue now, bool withChoice = false);
// The height the legend takes in that width.
int LegendHeight(int width, const QFont& font, bool withChoice = false);

#include <QWidget>

// The legend as a widget, as wide as it is given and as high as that needs.
class CalendarLegend : public QWidget {
    Q_OBJECT
public:
    explicit CalendarLegend(QWidget* parent = nullptr);
    void setNow(DateValue now) { m_now = now; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DateValue m_now = 0;
};
