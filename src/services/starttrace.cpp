// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "starttrace.h"

#include <QElapsedTimer>
#include <QtGlobal>
#include <cstdio>
#include <sys/resource.h>

namespace {

struct Trace {
    bool on = qEnvironmentVariableIsSet("PILGRAST_TRACE_START");
    QElapsedTimer since;
    Trace() { since.start(); }
};

Trace& trace() {
    static Trace running;
    return running;
}

} // namespace

void TraceStart(const char* phase) {
    Trace& running = trace();
    if (!running.on)
        return;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::fprintf(stderr, "pilgrast start %7.1f ms %7ld kB  %s\n", running.since.nsecsElapsed() / 1e6, usage.ru_maxrss,
                 phase);
    std::fflush(stderr);
}
