// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "serviceterm/servicecalendar.h"

#include <QImage>
#include <optional>

// The term as one picture to share, light whatever the desktop's colours: the name line
// where wanted, the share done with its bar, the days left, the tape measure, every month
// of the service and the legend; at least 1080 pixels wide, so that it reads on a phone.
struct PictureContent {
    std::optional<double> share;
    std::optional<qint64> daysLeft; // as the main window shows them
    QString endOfService;           // "31.03.2027 16:30 Uhr"
    QString nameLine;               // empty: left out
};
QImage TermPicture(const ServiceCalendar& calendar, const PictureContent& content, DateValue now);

// What the picture shows now: the counter as it stands, the name line when wanted.
PictureContent PictureContentNow(bool withName);

// Writes the picture as PNG, crash-safely; failures throw ProgramError naming the file and the cause.
void WriteTermPicture(const QString& path, const QImage& picture);

// Writes an image as PNG, crash-safely, or to standard output for "-"; failures throw
// ProgramError with the subject ("Das Bild", "Der Code"), the file and the cause.
void WritePngFile(const QString& path, const QImage& image, const QString& subject);

// The picture's least width in pixels.
constexpr int PictureWidth = 1200;
