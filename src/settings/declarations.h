// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

// The settings the user entered, as one fixed-length record. Text fields always
// hold exactly their width in characters.
struct SettingsRecord {
    static constexpr int VornameWidth = 30;
    static constexpr int NameWidth = 30;
    static constexpr int DstgrdWidth = 5;
    static constexpr int PgrWidth = 10;
    static constexpr int TimeWidth = 5;

    qint16 Nr = 0;
    QString Vorname = QString(VornameWidth, QLatin1Char(' '));
    QString Name = QString(NameWidth, QLatin1Char(' '));
    QString Dstgrd = QString(DstgrdWidth, QLatin1Char(' '));
    QString Pgr = QString(PgrWidth, QLatin1Char(' '));     // end-of-service date
    QString Dsch = QString(TimeWidth, QLatin1Char(' '));   // end of duty Monday to Thursday
    qint16 Anzeige = 0;                                    // display unit code, see below
    QString DschFr = QString(TimeWidth, QLatin1Char(' ')); // end of duty Friday
    qint16 nd = 0;                                         // 1: count duty time only
    QString DstBeg = QString(TimeWidth, QLatin1Char(' ')); // start of duty

    bool operator==(const SettingsRecord&) const = default;
};

// Display unit codes of Anzeige. Any other value counts as days where a unit is needed.
namespace Unit {
constexpr qint16 Days = 1;
constexpr qint16 Minutes = 2;
constexpr qint16 Seconds = 3;
constexpr qint16 Hours = 4;
} // namespace Unit

// The one settings record of the program, shared by every window.
extern SettingsRecord Settings;

// Program-wide flags. True is -1 and false 0; CounterHalted and CountdownAtDutyEnd
// hold 1 or 0. All start as 0.
constexpr qint16 True = -1;
constexpr qint16 False = 0;

extern qint16 OffDutyShown;       // off-duty counts are on screen and frozen
extern qint16 DutyEndNoticeDone;  // the last seconds before the end of duty were acted on
extern qint16 QuitQuestionAsked;  // the end-of-duty question was asked
extern qint16 AutoCountdownDone;  // the main tick no longer opens the countdown window
extern qint16 CounterHalted;      // 1: both refreshes do nothing after an error
extern qint16 CountdownAtDutyEnd; // 1: the countdown window counts to today's end of duty
extern qint16 CountdownUnit;      // unit the countdown window counts in
