#include "errortrap.h"

#include "messages.h"

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
