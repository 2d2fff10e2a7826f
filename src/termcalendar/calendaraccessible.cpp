// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calendaraccessible.h"

#include "calendarview.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <map>

namespace {

// One day of the calendar.
class DayCell : public QAccessibleInterface {
public:
    DayCell(CalendarView* view, QDate day) : m_view(view), m_day(day) {}

    bool isValid() const override {
        return m_view && m_day >= m_view->firstDay() && m_day <= m_view->lastDay();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_view); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !isValid() || !m_view->calendar())
            return {};
        return DayDescription(m_view->calendar()->dayInfo(DayNumber(m_day)), m_view->now());
    }

    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect cell = m_view->dayRect(m_day);
        return QRect(m_view->mapToGlobal(cell.topLeft()), cell.size());
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        state.focusable = true;
        state.selectable = true;
        if (isValid()) {
            const DayRange chosen = m_view->chosenDays();
            state.focused = m_view->hasFocus() && m_view->focusedDay() == m_day;
            state.selected = m_day >= chosen.first && m_day <= chosen.last;
        }
        return state;
    }

private:
    QPointer<CalendarView> m_view;
    QDate m_day;
};

// The calendar itself, a list (a table would need the table interface of rows and columns,
// which the months' grids do not make): its children are its days, the first day of the first month first.
class CalendarInterface : public QAccessibleWidget {
public:
    explicit CalendarInterface(CalendarView* view) : QAccessibleWidget(view, QAccessible::List) {}

    ~CalendarInterface() override {
        for (const auto& [index, id] : m_cells)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override {
        const CalendarView* v = view();
        return v->firstDay().isValid() ? int(v->firstDay().daysTo(v->lastDay())) + 1 : 0;
    }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (const auto found = m_cells.find(index); found != m_cells.end())
            return QAccessible::accessibleInterface(found->second);
        auto* cell = new DayCell(view(), view()->firstDay().addDays(index));
        m_cells[index] = QAccessible::registerAccessibleInterface(cell);
        return cell;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        for (const auto& [index, id] : m_cells)
            if (QAccessible::accessibleInterface(id) == child)
                return index;
        return -1;
    }

    QAccessibleInterface* focusChild() const override {
        return view()->hasFocus() ? child(int(view()->firstDay().daysTo(view()->focusedDay()))) : nullptr;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint local = view()->mapFromGlobal(QPoint(x, y));
        for (QDate day = view()->firstDay(); day <= view()->lastDay(); day = day.addDays(1))
            if (view()->dayRect(day).contains(local))
                return child(int(view()->firstDay().daysTo(day)));
        return nullptr;
    }

private:
    CalendarView* view() const { return static_cast<CalendarView*>(widget()); }

    mutable std::map<int, QAccessible::Id> m_cells;
};

QAccessibleInterface* calendarFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("CalendarView") && object && object->isWidgetType())
        return new CalendarInterface(static_cast<CalendarView*>(object));
    return nullptr;
}

} // namespace

void InstallCalendarAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&calendarFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void NotifyCalendarFocus(CalendarView* view, QAccessible::Event change) {
    if (!QAccessible::isActive() || !view->hasFocus())
        return;
    QAccessibleInterface* calendar = QAccessible::queryAccessibleInterface(view);
    if (QAccessibleInterface* day = calendar ? calendar->focusChild() : nullptr) {
        QAccessibleEvent event(day, change);
        QAccessible::updateAccessibility(&event);
    }
}
