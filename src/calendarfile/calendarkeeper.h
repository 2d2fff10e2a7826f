// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "services/countdisplay.h"

#include <QString>

// The calendar file kept current in a folder that a sync program carries to the phone: while
// the term names one (Kalenderdatei), it is written anew whenever the term or the settings
// change and it is missing or older than them, with the UIDs it always has, so that a
// subscribed calendar updates its events. A write that fails is told once, with the file and
// the cause, and tried again at the next change; the count goes on.
class CalendarFileKeeper : public CountDisplay {
public:
    CalendarFileKeeper();
    ~CalendarFileKeeper() override;
    CalendarFileKeeper(const CalendarFileKeeper&) = delete;
    CalendarFileKeeper& operator=(const CalendarFileKeeper&) = delete;

    void termChanged() override;

private:
    QString m_toldFailure; // the failure last told, until a write succeeds
};

// Whether the file is missing or older than the settings or the term it shows.
bool CalendarFileOutdated(const QString& path);
