// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calendarview.h"

#include "calendaraccessible.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QPainter>
#include <QToolTip>
#include <cmath>

const QList<PlanCommand>& PlanCommands() {
    static const QList<PlanCommand> commands = {
        {PlanAction::Leave, QStringLiteral("Als &Urlaub eintragen"), Qt::Key_U},
        {PlanAction::DayOff, QStringLiteral("Als dienst&frei eintragen"), Qt::Key_F},
        {PlanAction::Duty, QStringLiteral("Als &Dienst eintragen"), Qt::Key_D},
        {PlanAction::OwnDate, QStringLiteral("&Termin eintragen…"), Qt::Key_T},
        {PlanAction::Clear, QStringLiteral("Einträge &entfernen"), Qt::Key_Delete},
    };
    return commands;
}

CalendarView::CalendarView(QWidget* parent) : QWidget(parent) {
    // Before anything asks for the view's accessible interface, which is made once.
    InstallCalendarAccessibility();
    setObjectName(QStringLiteral("calendarView"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setAccessibleName(QStringLiteral("Kalender der Dienstzeit"));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

CalendarView::~CalendarView() = default;

void CalendarView::setCalendar(const ServiceCalendar* calendar, QDate firstMonth, QDate lastMonth) {
    m_calendar = calendar;
    m_firstMonth = firstMonth;
    m_lastMonth = std::max(lastMonth, firstMonth);
    relayout();
    if (!m_current.isValid() || m_current < firstDay() || m_current > lastDay())
        m_anchor = m_current = firstDay();
    updateGeometry();
    update();
}

// The months laid out for the width, and as tall as they need: a scroll area around
// reaches the last of them also when the term grew at the same width.
void CalendarView::relayout() {
    m_layout = std::make_unique<CalendarLayout>(layoutFor(width()));
    setMinimumHeight(m_layout->extent().height());
}

CalendarLayout CalendarView::layoutFor(int width) const {
    return CalendarLayout(m_firstMonth.isValid() ? m_firstMonth : QDate::currentDate(),
                          m_lastMonth.isValid() ? m_lastMonth : QDate::currentDate(), font(), width);
}

void CalendarView::setNow(DateValue now) {
    // Only what a new second changes is drawn again: a day crossed off, a new today.
    if (!m_calendar || (qint64(std::floor(now)) == qint64(std::floor(m_now)) &&
                        m_calendar->dutyDaysLeft(now) == m_calendar->dutyDaysLeft(m_now))) {
        m_now = now;
        return;
    }
    m_now = now;
    update();
}

DayRange CalendarView::chosenDays() const {
    return {std::min(m_anchor, m_current), std::max(m_anchor, m_current)};
}

QDate CalendarView::firstDay() const {
    return m_layout ? m_layout->firstDay() : QDate();
}

QDate CalendarView::lastDay() const {
    return m_layout ? m_layout->lastDay() : QDate();
}

void CalendarView::setCurrent(QDate day) {
    moveCurrent(day, false);
}

QRect CalendarView::dayRect(QDate day) const {
    return m_layout ? m_layout->dayRect(day) : QRect();
}

int CalendarView::heightForWidth(int width) const {
    return layoutFor(width).extent().height();
}

QSize CalendarView::sizeHint() const {
    return layoutFor(QWIDGETSIZE_MAX).extent();
}

QSize CalendarView::minimumSizeHint() const {
    const CalendarLayout single = layoutFor(0);
    return {single.monthRect(0).width(), single.monthRect(0).height()};
}

void CalendarView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void CalendarView::paintEvent(QPaintEvent*) {
    if (!m_calendar || !m_layout)
        return;
    QPainter painter(this);
    const DayRange chosen = chosenDays();
    PaintMonths(painter, *m_layout, *m_calendar, m_now, palette(), chosen.first, chosen.last);
    if (hasFocus()) {
        QRect focus = m_layout->dayRect(m_current).adjusted(0, 0, -1, -1);
        painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
        painter.drawRect(focus);
    }
}

void CalendarView::moveCurrent(QDate day, bool stretch) {
    if (!day.isValid() || !m_layout)
        return;
    day = std::clamp(day, firstDay(), lastDay());
    m_current = day;
    if (!stretch)
        m_anchor = day;
    update();
    emit currentChanged(day);
    NotifyCalendarFocus(this);
}

void CalendarView::mousePressEvent(QMouseEvent* event) {
    if (!m_layout)
        return;
    if (const std::optional<QDate> day = m_layout->dayAt(event->position().toPoint())) {
        const bool keepChoice =
            event->button() == Qt::RightButton && *day >= chosenDays().first && *day <= chosenDays().last;
        if (!keepChoice)
            moveCurrent(*day, event->modifiers() & Qt::ShiftModifier);
    }
}

void CalendarView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_layout || !(event->buttons() & Qt::LeftButton))
        return;
    if (const std::optional<QDate> day = m_layout->dayAt(event->position().toPoint());
        day && *day != m_current)
        moveCurrent(*day, true);
}

void CalendarView::keyPressEvent(QKeyEvent* event) {
    const bool stretch = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        return moveCurrent(m_current.addDays(-1), stretch);
    case Qt::Key_Right:
        return moveCurrent(m_current.addDays(1), stretch);
    case Qt::Key_Up:
        return moveCurrent(m_current.addDays(-7), stretch);
    case Qt::Key_Down:
        return moveCurrent(m_current.addDays(7), stretch);
    case Qt::Key_PageUp:
        return moveCurrent(m_current.addMonths(-1), stretch);
    case Qt::Key_PageDown:
        return moveCurrent(m_current.addMonths(1), stretch);
    case Qt::Key_Menu:
        return showPlanMenu(dayRect(m_current).center());
    case Qt::Key_F10:
        if (event->modifiers() == Qt::ShiftModifier)
            return showPlanMenu(dayRect(m_current).center());
        break;
    default:
        break;
    }
    if (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    for (const PlanCommand& command : PlanCommands())
        if (event->key() == command.key)
            return requestPlan(command.action);
    QWidget::keyPressEvent(event);
}

void CalendarView::contextMenuEvent(QContextMenuEvent* event) {
    const QPoint at =
        event->reason() == QContextMenuEvent::Mouse ? event->pos() : dayRect(m_current).center();
    showPlanMenu(at);
}

// The plan goes to the days chosen; then the choice shrinks to the day in focus, so that the
// planned days show in their own colours, and a screen reader hears what the day is now.
void CalendarView::requestPlan(PlanAction action) {
    emit planRequested(action, chosenDays());
    m_anchor = m_current;
    update();
    NotifyCalendarFocus(this, QAccessible::NameChanged);
}

void CalendarView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    NotifyCalendarFocus(this); // the day in focus, not only the calendar's name
}

void CalendarView::showPlanMenu(const QPoint& at) {
    QMenu menu(this);
    for (const PlanCommand& command : PlanCommands()) {
        QAction* action = menu.addAction(command.text + QLatin1Char('\t') +
                                         QKeySequence(command.key).toString(QKeySequence::NativeText));
        connect(action, &QAction::triggered, this, [this, command] { requestPlan(command.action); });
    }
    menu.exec(mapToGlobal(at));
}

bool CalendarView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && m_layout && m_calendar) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const std::optional<QDate> day = m_layout->dayAt(help->pos()))
            QToolTip::showText(help->globalPos(), DayDescription(m_calendar->dayInfo(DayNumber(*day)), m_now),
                               this, dayRect(*day));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
