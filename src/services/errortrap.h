// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Error traps.
//
// Every routine that traps errors shows one message box: the error's description
// directly followed by the routine's tag (for example "...#20"), critical icon, OK.
// After the message the routine that trapped the error ends: nothing after the
// failing step runs.
//
// A remaining-time function then returns 0 (or an empty count) and its caller goes
// on with every other step. Since these functions run every second, each one shows
// its failure once and keeps quiet while it goes on failing; after it has once
// succeeded, its next failure is shown again.
//
// Only a refresh's own failures halt it: the main tick ("#20") and the countdown
// window's refresh ("#22") set CounterHalted to 1, so every later refresh of both
// windows does nothing until the next start-up or save. A start-up that could not
// read the settings ("#21") leaves the counter halted too.
void ReportError(const QString& description, const QString& tag);

// The trap of a routine that runs every second, under its tag ("#1" ... "#18").
void ReportRecurringError(const QString& description, const char* tag);
void RecurringRoutineSucceeded(const char* tag);
// Every routine counts as succeeded again, as when the program starts.
void ForgetRecurringErrors();

// Tells whether a trap caught a failure since it was created, shown or kept quiet:
// a result that stands for a failure must not steer what the caller does next.
class FailureWatch {
public:
    FailureWatch();
    bool failed() const;

private:
    unsigned long long m_failuresAtStart;
};
