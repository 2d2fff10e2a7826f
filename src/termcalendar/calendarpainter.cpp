// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calendarpainter.h"

#include "widgets/labelstyle.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

constexpr int rowsPerMonth = 7; // the weekdays' names and six weeks
constexpr int columnsPerMonth = 8;

// The kinds' own colours, mixed into the palette's base colour.
const QColor dutyColour(224, 128, 0);
const QColor leaveColour(46, 157, 74);
const QColor dayOffColour(58, 123, 213);
const QColor holidayColour(208, 56, 56);
const QColor ownDateColour(142, 68, 173);
const QColor milestoneColour(191, 144, 0);

QColor mixed(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * share),
                            float(a.greenF() + (b.greenF() - a.greenF()) * share),
                            float(a.blueF() + (b.blueF() - a.blueF()) * share));
}

// The first of the colours that reaches AA against the background, else the one that comes closest.
QColor readableOn(const QColor& background, std::initializer_list<QColor> candidates) {
    QColor best = *candidates.begin();
    for (const QColor& candidate : candidates) {
        if (ContrastRatio(candidate, background) >= 4.5)
            return candidate;
        if (ContrastRatio(candidate, background) > ContrastRatio(best, background))
            best = candidate;
    }
    return best;
}

QString monthTitle(QDate month) {
    return QLocale(QLocale::German).toString(month, QStringLiteral("MMMM yyyy"));
}

} // namespace

CalendarLayout::CalendarLayout(QDate firstMonth, QDate lastMonth, const QFont& font, int width)
    : m_first(firstMonth.year(), firstMonth.month(), 1) {
    const QFontMetrics metrics(font);
    m_months =
        std::max(1, (lastMonth.year() - m_first.year()) * 12 + lastMonth.month() - m_first.month() + 1);
    m_cellWidth = std::max(metrics.horizontalAdvance(QStringLiteral("00")),
                           metrics.horizontalAdvance(QStringLiteral("Mo"))) +
                  metrics.height();
    m_cellHeight = metrics.height() + metrics.height() / 2;
    m_titleHeight = m_cellHeight + metrics.height() / 2;
    m_gap = m_cellWidth / 2;
    const int monthWidth = columnsPerMonth * m_cellWidth + m_gap;
    m_perRow = std::clamp((width + m_gap) / monthWidth, 1, 3);
}

QSize CalendarLayout::extent() const {
    const int rows = (m_months + m_perRow - 1) / m_perRow;
    const int columns = std::min(m_months, m_perRow);
    return {columns * (columnsPerMonth * m_cellWidth + m_gap) - m_gap,
            rows * (m_titleHeight + rowsPerMonth * m_cellHeight + m_gap) - m_gap};
}

QRect CalendarLayout::monthRect(int index) const {
    const int width = columnsPerMonth * m_cellWidth;
    const int height = m_titleHeight + rowsPerMonth * m_cellHeight;
    return {(index % m_perRow) * (width + m_gap), (index / m_perRow) * (height + m_gap), width, height};
}

QRect CalendarLayout::titleRect(int index) const {
    const QRect month = monthRect(index);
    return {month.left(), month.top(), month.width(), m_titleHeight};
}

QRect CalendarLayout::cellRect(int index, int column, int row) const {
    const QRect month = monthRect(index);
    return {month.left() + column * m_cellWidth, month.top() + m_titleHeight + row * m_cellHeight,
            m_cellWidth, m_cellHeight};
}

int CalendarLayout::weekRowOf(QDate day) const {
    const QDate first(day.year(), day.month(), 1);
    return (first.dayOfWeek() - 1 + day.day() - 1) / 7 + 1;
}

QRect CalendarLayout::dayRect(QDate day) const {
    const int index = (day.year() - m_first.year()) * 12 + day.month() - m_first.month();
    if (!day.isValid() || index < 0 || index >= m_months)
        return {};
    return cellRect(index, day.dayOfWeek(), weekRowOf(day));
}

std::optional<QDate> CalendarLayout::dayAt(QPoint point) const {
    for (int index = 0; index < m_months; ++index) {
        if (!monthRect(index).contains(point))
            continue;
        const QDate month = this->month(index);
        for (QDate day = month; day.month() == month.month(); day = day.addDays(1))
            if (dayRect(day).contains(point))
                return day;
    }
    return std::nullopt;
}

QDate CalendarLayout::lastDay() const {
    return m_first.addMonths(m_months).addDays(-1);
}

DayLook LookOf(const DayInfo& info, DateValue now, const QPalette& palette, bool selected) {
    DayLook look;
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    const bool workday = !info.weekend && info.holiday.isEmpty();
    QColor tint;
    double strength = 0.35;
    if (info.extraDuty) {
        tint = dutyColour;
        strength = 0.4;
    } else if (info.leave && workday) {
        tint = leaveColour;
    } else if (info.dayOff && workday) {
        tint = dayOffColour;
    } else if (!info.holiday.isEmpty()) {
        tint = holidayColour;
        strength = 0.3;
    } else if (info.weekend) {
        tint = text;
        strength = 0.12;
    }
    look.background = tint.isValid() ? mixed(base, tint, strength) : base;
    look.mark = tint.isValid() ? mixed(tint, text, 0.25) : text;
    look.hatched = info.leave && workday && !info.extraDuty;
    look.dotted = info.dayOff && workday && !info.extraDuty && !look.hatched;
    look.dutyBar = info.extraDuty;
    look.holiday = !info.holiday.isEmpty();
    look.ownDate = !info.ownDates.isEmpty();
    look.milestone = !info.milestones.isEmpty();
    look.framed = info.firstDay || info.lastDay;
    look.today = info.day == qint64(std::floor(now));
    look.done = DayDone(info, now);
    if (selected)
        look.background = palette.color(QPalette::Highlight);
    look.number = readableOn(look.background, {selected ? palette.color(QPalette::HighlightedText) : text,
                                               QColor(Qt::black), QColor(Qt::white)});
    return look;
}

void PaintDay(QPainter& painter, const QRect& cell, int number, const DayLook& look) {
    painter.save();
    const QRectF area = QRectF(cell).adjusted(1, 1, -1, -1);
    painter.fillRect(area, look.background);
    const qreal unit = std::max<qreal>(1, area.height() / 12);
    if (look.hatched || look.dotted) {
        painter.fillRect(area, QBrush(look.mark, look.hatched ? Qt::BDiagPattern : Qt::Dense6Pattern));
        // The number stands on a plate of the day's colour, so the pattern never hides it.
        const QFontMetricsF metrics(painter.font());
        QRectF plate(0, 0, metrics.horizontalAdvance(QStringLiteral("00")) + 2 * unit, metrics.height());
        plate.moveCenter(area.center());
        painter.fillRect(plate, look.background);
    }
    if (look.done) {
        painter.setPen(QPen(mixed(look.number, look.background, 0.45), unit * 1.2));
        painter.drawLine(area.topLeft() + QPointF(unit, unit), area.bottomRight() - QPointF(unit, unit));
        painter.drawLine(area.topRight() + QPointF(-unit, unit), area.bottomLeft() + QPointF(unit, -unit));
    }
    painter.setPen(look.number);
    painter.drawText(area, Qt::AlignCenter, QString::number(number));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (look.dutyBar)
        painter.fillRect(QRectF(area.left(), area.bottom() - 2.5 * unit, area.width(), 2.5 * unit),
                         look.mark);
    if (look.holiday) {
        painter.setBrush(holidayColour);
        const qreal side = area.height() / 3;
        painter.drawPolygon(QPolygonF(
            {area.topRight(), area.topRight() - QPointF(side, 0), area.topRight() + QPointF(0, side)}));
    }
    if (look.ownDate) {
        painter.setBrush(ownDateColour);
        painter.drawEllipse(QRectF(area.left() + unit, area.top() + unit, 3.5 * unit, 3.5 * unit));
    }
    if (look.milestone) {
        painter.setBrush(milestoneColour);
        const QPointF centre = area.bottomRight() - QPointF(3 * unit, look.dutyBar ? 5.5 * unit : 3 * unit);
        const qreal r = 2.5 * unit;
        painter.drawPolygon(QPolygonF({centre + QPointF(0, -r), centre + QPointF(r, 0),
                                       centre + QPointF(0, r), centre + QPointF(-r, 0)}));
    }
    painter.setBrush(Qt::NoBrush);
    if (look.framed) {
        painter.setPen(QPen(look.number, 2 * unit));
        painter.drawRect(area.adjusted(unit, unit, -unit, -unit));
    }
    if (look.today) {
        painter.setPen(QPen(QColor(Qt::black), unit));
        painter.drawRect(area.adjusted(unit / 2, unit / 2, -unit / 2, -unit / 2));
        painter.setPen(QPen(QColor(Qt::white), unit));
        painter.drawRect(area.adjusted(1.5 * unit, 1.5 * unit, -1.5 * unit, -1.5 * unit));
    }
    painter.restore();
}

void PaintMonths(QPainter& painter, const CalendarLayout& layout, const ServiceCalendar& calendar,
                 DateValue now, const QPalette& palette, QDate selectedFrom, QDate selectedTo) {
    static const QStringList weekdays = {QStringLiteral("KW"), QStringLiteral("Mo"), QStringLiteral("Di"),
                                         QStringLiteral("Mi"), QStringLiteral("Do"), QStringLiteral("Fr"),
                                         QStringLiteral("Sa"), QStringLiteral("So")};
    const QColor text = palette.color(QPalette::Text);
    const QColor muted =
        readableOn(palette.color(QPalette::Base), {mixed(text, palette.color(QPalette::Base), 0.35), text});
    const QFont plain = painter.font();
    QFont bold = plain;
    bold.setBold(true);
    for (int index = 0; index < layout.monthCount(); ++index) {
        const QDate month = layout.month(index);
        painter.setPen(text);
        painter.setFont(bold);
        painter.drawText(layout.titleRect(index), Qt::AlignCenter, monthTitle(month));
        painter.setFont(plain);
        painter.setPen(muted);
        for (int column = 0; column < 8; ++column)
            painter.drawText(layout.cellRect(index, column, 0), Qt::AlignCenter, weekdays.at(column));
        for (QDate day = month; day.month() == month.month(); day = day.addDays(1)) {
            const QRect cell = layout.dayRect(day);
            if (day.dayOfWeek() == 1 || day.day() == 1) {
                painter.setPen(muted);
                painter.drawText(
                    QRect(layout.monthRect(index).left(), cell.top(), cell.width(), cell.height()),
                    Qt::AlignCenter, QString::number(day.weekNumber()));
            }
            const bool selected = selectedFrom.isValid() && day >= selectedFrom && day <= selectedTo;
            PaintDay(painter, cell, day.day(),
                     LookOf(calendar.dayInfo(DayNumber(day)), now, palette, selected));
        }
    }
}

const QList<LegendEntry>& Legend() {
    static const QList<LegendEntry> entries = [] {
        const auto sample = [](auto set) {
            DayInfo info;
            info.day = -1;
            info.doneAt = 1e9;
            set(info);
            return info;
        };
        return QList<LegendEntry>{
            {QStringLiteral("Diensttag"), sample([](DayInfo& d) { d.dutyDay = true; })},
            {QStringLiteral("Wochenende"), sample([](DayInfo& d) { d.weekend = true; })},
            {QStringLiteral("Feiertag"), sample([](DayInfo& d) { d.holiday = QStringLiteral("Feiertag"); })},
            {QStringLiteral("Urlaub"), sample([](DayInfo& d) { d.leave = true; })},
            {QStringLiteral("Dienstfrei"), sample([](DayInfo& d) { d.dayOff = true; })},
            {QStringLiteral("Dienst außer der Reihe"), sample([](DayInfo& d) { d.extraDuty = true; })},
            {QStringLiteral("Termin"), sample([](DayInfo& d) { d.ownDates = {QStringLiteral("Termin")}; })},
            {QStringLiteral("Meilenstein"),
             sample([](DayInfo& d) { d.milestones = {QStringLiteral("Bergfest")}; })},
            {QStringLiteral("erster/letzter Tag"), sample([](DayInfo& d) { d.firstDay = true; })},
            {QStringLiteral("heute"), sample([](DayInfo& d) { d.day = 0; })},
            {QStringLiteral("geschafft"), sample([](DayInfo& d) { d.doneAt = 0; })},
            {QStringLiteral("ausgewählt"), sample([](DayInfo& d) { d.dutyDay = true; }), true},
        };
    }();
    return entries;
}

namespace {

// Where each legend entry goes: a sample cell and its name, in rows as wide as the width.
template <class Place> int layOutLegend(int width, const QFont& font, bool withChoice, Place place) {
    const QFontMetrics metrics(font);
    const int cell = metrics.height() + metrics.height() / 2;
    const int sampleWidth = cell * 3 / 2;
    int x = 0;
    int y = 0;
    for (const LegendEntry& entry : Legend()) {
        if (entry.chosen && !withChoice)
            continue;
        const int entryWidth =
            sampleWidth + metrics.height() / 2 + metrics.horizontalAdvance(entry.name) + cell;
        if (x > 0 && x + entryWidth > width) {
            x = 0;
            y += cell + metrics.height() / 3;
        }
        place(entry, QRect(x, y, sampleWidth, cell),
              QRect(x + sampleWidth + metrics.height() / 2, y, entryWidth - sampleWidth, cell));
        x += entryWidth;
    }
    return y + cell;
}

} // namespace

int LegendHeight(int width, const QFont& font, bool withChoice) {
    return layOutLegend(width, font, withChoice, [](const LegendEntry&, const QRect&, const QRect&) {});
}

int PaintLegend(QPainter& painter, const QPoint& topLeft, int width, const QFont& font,
                const QPalette& palette, DateValue now, bool withChoice) {
    painter.save();
    painter.setFont(font);
    const int height = layOutLegend(
        width, font, withChoice, [&](const LegendEntry& entry, const QRect& sample, const QRect& label) {
            DayInfo info = entry.sample;
            if (info.day == 0)
                info.day = qint64(std::floor(now)); // the sample of today
            PaintDay(painter, sample.translated(topLeft), 7, LookOf(info, now, palette, entry.chosen));
            painter.setPen(palette.color(QPalette::WindowText));
            painter.drawText(label.translated(topLeft), Qt::AlignLeft | Qt::AlignVCenter, entry.name);
        });
    painter.restore();
    return height;
}

CalendarLegend::CalendarLegend(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("calendarLegend"));
    QStringList names;
    for (const LegendEntry& entry : Legend())
        names.append(entry.name);
    setAccessibleName(QStringLiteral("Legende: ") + names.join(QStringLiteral(", ")));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int CalendarLegend::heightForWidth(int width) const {
    return LegendHeight(width, font(), true);
}

QSize CalendarLegend::sizeHint() const {
    return {fontMetrics().height() * 40, heightForWidth(fontMetrics().height() * 40)};
}

QSize CalendarLegend::minimumSizeHint() const {
    return {fontMetrics().height() * 10, heightForWidth(fontMetrics().height() * 10)};
}

void CalendarLegend::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintLegend(painter, QPoint(0, 0), width(), font(), palette(), m_now, true);
}
