// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calendarpainter.h"

#include <QWidget>
#include <memory>

// What the user plans on the days chosen in the calendar.
enum class PlanAction { Leave, DayOff, Duty, OwnDate, Clear };

// The calendar of the service: every month of it as a month grid, each day drawn as what
// it is, today marked. A day or a run of days is chosen with the mouse (drag, or Shift and
// click) or the keyboard (arrows, with Shift to stretch), and planned from the context menu
// or by key: U leave, F a day off, D duty, T an own date, Entf clears.
class CalendarView : public QWidget {
    Q_OBJECT
public:
    explicit CalendarView(QWidget* parent = nullptr);
    ~CalendarView() override;

    // Shows the calendar's months from the first to the last; the calendar stays the caller's.
    void setCalendar(const ServiceCalendar* calendar, QDate firstMonth, QDate lastMonth);
    const ServiceCalendar* calendar() const { return m_calendar; }
    // The instant the days are drawn at: done, today.
    void setNow(DateValue now);
    DateValue now() const { return m_now; }
    // The day with the keyboard focus, and the days chosen.
    QDate focusedDay() const { return m_current; }
    DayRange chosenDays() const;
    void setCurrent(QDate day);
    QRect dayRect(QDate day) const;
    QDate firstDay() const;
    QDate lastDay() const;
    int heightForWidth(int width) const override;
    bool hasHeightForWidth() const override { return true; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void planRequested(PlanAction action, const DayRange& days);
    void currentChanged(QDate day);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;

private:
    CalendarLayout layoutFor(int width) const;
    void relayout();
    void moveCurrent(QDate day, bool stretch);
    void showPlanMenu(const QPoint& at);
    void requestPlan(PlanAction action);

    const ServiceCalendar* m_calendar = nullptr;
    QDate m_firstMonth;
    QDate m_lastMonth;
    std::unique_ptr<CalendarLayout> m_layout;
    DateValue m_now = 0;
    QDate m_anchor;
    QDate m_current;
};

// The shortcut of each plan and its menu text.
struct PlanCommand {
    PlanAction action;
    QString text;
    Qt::Key key;
};
const QList<PlanCommand>& PlanCommands();
