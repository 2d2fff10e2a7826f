// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "termpicture.h"

#include "calendarpainter.h"
#include "counterview/counterview.h"
#include "services/programerror.h"
#include "serviceterm/announcements.h"
#include "settings/declarations.h"
#include "settings/fileaccess.h"
#include "settings/fixedtext.h"
#include "tapemeasure.h"

#include <QBuffer>
#include <QPainter>
#include <cmath>

namespace {

constexpr int margin = 48;

QPalette lightPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(250, 250, 247));
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Mid, QColor(150, 150, 150));
    return palette;
}

// The largest font at which three months stand side by side in the picture's width.
QFont calendarFont(QDate first, QDate last) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    for (int pixels = 40; pixels > 8; --pixels) {
        font.setPixelSize(pixels);
        if (CalendarLayout(first, last, font, PictureWidth - 2 * margin).extent().width() <=
                PictureWidth - 2 * margin &&
            CalendarLayout(first, last, font, PictureWidth - 2 * margin).monthsPerRow() == 3)
            return font;
    }
    return font;
}

QString daysText(std::optional<qint64> days) {
    if (!days)
        return {};
    return DaysLeftText(*days);
}

// The lines above the calendar: title, name, share with its bar, days left, the end of service
// and the day the picture shows; returns where they end. The days left are the largest, so that
// they read in a chat's small preview.
int paintHeading(QPainter& painter, const PictureContent& content, const QFont& font, const QPalette& palette,
                 DateValue now) {
    QFont large = font;
    large.setPixelSize(font.pixelSize() * 2);
    large.setBold(true);
    QFont largest = large;
    largest.setPixelSize(font.pixelSize() * 3);
    const int width = PictureWidth - 2 * margin;
    int y = margin;
    painter.setPen(palette.color(QPalette::WindowText));
    painter.setFont(large);
    const int largeLine = QFontMetrics(large).height();
    painter.drawText(QRect(margin, y, width, largeLine), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Pilgrast Counter"));
    y += largeLine;
    painter.setFont(font);
    const int line = QFontMetrics(font).height();
    if (!content.nameLine.isEmpty()) {
        painter.drawText(QRect(margin, y, width, line), Qt::AlignLeft | Qt::AlignVCenter, content.nameLine);
        y += line;
    }
    y += line / 2;
    const QString days = daysText(content.daysLeft);
    const int largestLine = QFontMetrics(largest).height();
    if (content.share) {
        painter.setFont(large);
        painter.drawText(QRect(margin, y, width, largestLine), Qt::AlignLeft | Qt::AlignBottom,
                         ShareDoneText(*content.share));
    }
    painter.setFont(largest);
    painter.drawText(QRect(margin, y, width, largestLine),
                     (content.share ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignBottom, days);
    y += largestLine;
    if (content.share) {
        const QRect bar(margin, y + line / 4, width, line);
        painter.fillRect(bar, palette.color(QPalette::Base));
        painter.fillRect(
            QRect(bar.topLeft(), QSize(int(std::floor(bar.width() * *content.share)), bar.height())),
            palette.color(QPalette::Highlight));
        painter.setPen(palette.color(QPalette::Mid));
        painter.drawRect(bar.adjusted(0, 0, -1, -1));
        y += line + line / 2;
    }
    painter.setFont(font);
    painter.setPen(palette.color(QPalette::WindowText));
    painter.drawText(QRect(margin, y, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Pilgrast: %1").arg(content.endOfService));
    painter.drawText(QRect(margin, y, width, line), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Stand: %1")
                         .arg(CalendarDate(qint64(std::floor(now))).toString(QStringLiteral("dd.MM.yyyy"))));
    return y + line + line / 2;
}

} // namespace

QImage TermPicture(const ServiceCalendar& calendar, const PictureContent& content, DateValue now) {
    const qint64 today = qint64(std::floor(now));
    const QDate first = CalendarDate(calendar.startDay().value_or(today));
    const QDate last = CalendarDate(calendar.endDay().value_or(today));
    const QFont font = calendarFont(first, last);
    const CalendarLayout layout(first, last, font, PictureWidth - 2 * margin);
    const QPalette palette = lightPalette();
    const int width = PictureWidth - 2 * margin;

    // Drawn once to learn the heading's height, then for real.
    QImage measuring(1, 1, QImage::Format_RGB32);
    QPainter probe(&measuring);
    const int headingEnd = paintHeading(probe, content, font, palette, now);
    probe.end();
    const int tapeTop = headingEnd;
    const int calendarTop = tapeTop + TapeHeight(font) + QFontMetrics(font).height();
    const int legendTop = calendarTop + layout.extent().height() + QFontMetrics(font).height();
    const int height = legendTop + LegendHeight(width, font) + margin;

    QImage picture(PictureWidth, height, QImage::Format_RGB32);
    picture.fill(palette.color(QPalette::Window));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintHeading(painter, content, font, palette, now);
    painter.setFont(font);
    PaintTape(painter, QRectF(margin, tapeTop, width, TapeHeight(font)), content.daysLeft, palette);
    painter.translate(margin + (width - layout.extent().width()) / 2, calendarTop);
    painter.fillRect(QRect(QPoint(0, 0), layout.extent()), palette.color(QPalette::Window));
    PaintMonths(painter, layout, calendar, now, palette);
    painter.resetTransform();
    PaintLegend(painter, QPoint(margin, legendTop), width, font, palette, now);
    return picture;
}

PictureContent PictureContentNow(bool withName) {
    const CounterView view = FreshCounterView();
    PictureContent content{view.report.share, view.report.days, view.report.endOfService, QString()};
    if (withName)
        content.nameLine =
            QStringLiteral("%1 %2 %3")
                .arg(TrimBlanks(Settings.Dstgrd), TrimBlanks(Settings.Vorname), TrimBlanks(Settings.Name));
    return content;
}

void WritePngFile(const QString& path, const QImage& image, const QString& subject) {
    const QString failureText = ExportFailureText(subject, path);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw ProgramError(
            QStringLiteral("%1: das Bild lässt sich nicht als PNG schreiben.").arg(failureText));
    WriteExportFile(path, png, failureText);
}

void WriteTermPicture(const QString& path, const QImage& picture) {
    WritePngFile(path, picture, QStringLiteral("Das Bild"));
}
