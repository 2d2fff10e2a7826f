// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tapemeasure.h"

#include "serviceterm/announcements.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int tapeLength = 150;
const QColor tapeColour(242, 194, 0);

} // namespace

int TapeCentimetres(std::optional<qint64> daysLeft) {
    return int(std::clamp<qint64>(daysLeft.value_or(tapeLength), 0, tapeLength));
}

QString TapeCaption(std::optional<qint64> daysLeft) {
    if (!daysLeft)
        return QStringLiteral("Maßband");
    if (*daysLeft > tapeLength) {
        const qint64 until = *daysLeft - tapeLength;
        return DaysLeftText(until) + QStringLiteral(" bis zum Maßband");
    }
    if (*daysLeft <= 0)
        return QStringLiteral("Maßband: ganz abgeschnitten");
    return QStringLiteral("Maßband: noch %1 cm").arg(*daysLeft);
}

int TapeHeight(const QFont& font) {
    return QFontMetrics(font).height() * 4;
}

void PaintTape(QPainter& painter, const QRectF& area, std::optional<qint64> daysLeft,
               const QPalette& palette) {
    painter.save();
    const QFontMetricsF metrics(painter.font());
    const qreal line = metrics.height();
    painter.setPen(palette.color(QPalette::WindowText));
    painter.drawText(QRectF(area.left(), area.top(), area.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                     TapeCaption(daysLeft));

    // The tape, 150 cm to scale; what is cut off shows as an outline only.
    const QRectF whole(area.left() + line / 2, area.top() + line * 1.3, area.width() - line, line * 2.2);
    const qreal perCm = whole.width() / tapeLength;
    const int left = TapeCentimetres(daysLeft);
    painter.setPen(QPen(palette.color(QPalette::Mid), 1, Qt::DashLine));
    painter.drawRect(whole);
    const QRectF tape(whole.left(), whole.top(), perCm * left, whole.height());
    painter.fillRect(tape, tapeColour);
    painter.setPen(QPen(Qt::black, 1));
    QFont small = painter.font();
    if (small.pixelSize() > 0)
        small.setPixelSize(std::max(1, small.pixelSize() * 3 / 4));
    else
        small.setPointSizeF(small.pointSizeF() * 0.75);
    painter.setFont(small);
    for (int cm = 1; cm <= left; ++cm) {
        const qreal x = whole.left() + cm * perCm;
        const qreal tick = cm % 10 == 0 ? 0.45 : cm % 5 == 0 ? 0.3 : 0.18;
        painter.drawLine(QPointF(x, tape.top()), QPointF(x, tape.top() + tape.height() * tick));
        if (cm % 10 == 0 && cm < left)
            painter.drawText(
                QRectF(x - perCm * 5, tape.top() + tape.height() * 0.45, perCm * 10, tape.height() * 0.55),
                Qt::AlignCenter, QString::number(cm));
    }
    if (left > 0 && left < tapeLength) {
        // The cut end, at today: a zigzag edge.
        painter.setRenderHint(QPainter::Antialiasing);
        QPolygonF cut;
        for (int step = 0; step <= 6; ++step)
            cut << QPointF(tape.right() + (step % 2 ? perCm : 0), tape.top() + tape.height() * step / 6);
        painter.setPen(QPen(Qt::black, 1.5));
        painter.drawPolyline(cut);
    }
    painter.restore();
}

TapeMeasure::TapeMeasure(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tapeMeasure"));
    setAccessibleName(TapeCaption(m_days));
}

void TapeMeasure::setDaysLeft(std::optional<qint64> days) {
    if (days == m_days)
        return;
    m_days = days;
    setAccessibleName(TapeCaption(m_days));
    setToolTip(TapeCaption(m_days));
    update();
}

QSize TapeMeasure::sizeHint() const {
    return {fontMetrics().height() * 30, TapeHeight(font())};
}

QSize TapeMeasure::minimumSizeHint() const {
    return {fontMetrics().height() * 12, TapeHeight(font())};
}

void TapeMeasure::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintTape(painter, rect(), m_days, palette());
}
