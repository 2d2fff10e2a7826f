// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "imagecommands.h"

#include "app/commands.h"
#include "phonecode/phonecode.h"
#include "serviceterm/servicecalendar.h"
#include "termcalendar/termpicture.h"
#include "timecalc/datevalue.h"

int RunPictureExport(const StartOptions& options) {
    return RunWithSettings(options, [&] {
        WriteTermPicture(options.file, TermPicture(TermCalendar, PictureContentNow(options.withName), Now()));
    });
}

int RunCodeExport(const StartOptions& options) {
    return RunWithSettings(options, [&] { WriteEndOfServiceCode(options.file, TermCalendar); });
}
