#pragma once

#include <QString>
#include <QtGlobal>

// Error traps.
//
// Every routine that traps errors shows one message box: the error's description
// directly followed by the routine's tag (for example "...#20"), critical icon, OK.
// After the message the routine that trapped the error ends: nothing after the
// failing step runs. A remaining-time function then returns 0 (or an empty count).
// The two once-a-second refreshes also set CounterHalted to 1 whenever an error was
// reported during them, their own or one of a remaining-time function they called,
// so a failure that recurs is shown once and not again every second.
void ReportError(const QString& description, const QString& tag);

// Tells whether any error was reported since it was created.
class ErrorWatch {
public:
    ErrorWatch();
    bool errorReported() const;

private:
    quint64 m_reportsAtStart;
};

// For the two refreshes: when an error was reported since the watch began, the
// refresh halts (CounterHalted = 1). Returns whether it did.
bool HaltIfErrorReported(const ErrorWatch& watch);
