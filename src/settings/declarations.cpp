// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "declarations.h"

SettingsRecord Settings;

qint16 OffDutyShown = 0;
qint16 DutyEndNoticeDone = 0;
qint16 QuitQuestionAsked = 0;
qint16 AutoCountdownDone = 0;
qint16 CounterHalted = 0;
qint16 CountdownAtDutyEnd = 0;
qint16 CountdownUnit = 0;
