// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calendarkeeper.h"

#include "calendarexport.h"
#include "services/messages.h"
#include "services/programerror.h"
#include "serviceterm/servicecalendar.h"
#include "settings/settingsfile.h"

#include <QFileInfo>

CalendarFileKeeper::CalendarFileKeeper() {
    AddCountDisplay(this);
}

CalendarFileKeeper::~CalendarFileKeeper() {
    RemoveCountDisplay(this);
}

void CalendarFileKeeper::termChanged() {
    const QString path = Term.calendarFile;
    if (path.isEmpty() || !CalendarFileOutdated(path))
        return;
    try {
        WriteCalendarFile(path, TermCalendar);
        m_toldFailure.clear();
    } catch (const ProgramError& error) {
        if (error.description() == m_toldFailure)
            return;
        m_toldFailure = error.description();
        MsgBox(error.description() +
                   QStringLiteral("\nDer Kalender wird beim nächsten Speichern erneut geschrieben."),
               MsgStyle::Exclamation);
    }
}

bool CalendarFileOutdated(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists())
        return true;
    for (const QString& source : {SettingsFilePath(), ServiceFilePath()})
        if (const QFileInfo changed(source);
            changed.exists() && changed.lastModified() >= file.lastModified())
            return true;
    return false;
}
