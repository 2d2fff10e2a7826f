#include "errortrap.h"

#include "messages.h"
#include "settings/declarations.h"

namespace {
quint64 reportsSoFar = 0;
}

void ReportError(const QString& description, const QString& tag) {
    ++reportsSoFar;
    MsgBox(description + tag, MsgStyle::Critical);
}

ErrorWatch::ErrorWatch() : m_reportsAtStart(reportsSoFar) {}

bool ErrorWatch::errorReported() const {
    return reportsSoFar != m_reportsAtStart;
}

bool HaltIfErrorReported(const ErrorWatch& watch) {
    if (!watch.errorReported())
        return false;
    CounterHalted = 1;
    return true;
}
