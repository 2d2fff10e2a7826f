// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "starttrace.h"

#include <QElapsedTimer>
#include <QFile>
#include <QtGlobal>
#include <cstdio>

namespace {

struct Trace {
    bool on = qEnvironmentVariableIsSet("PILGRAST_TRACE_START");
    QElapsedTimer since;
    Trace() { since.start(); }
};

// The process's own peak resident memory; getrusage would count the parent's before exec.
long peakMemoryKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

Trace& trace() {
    static Trace running;
    return running;
}

} // namespace

void TraceStart(const char* phase) {
    Trace& running = trace();
    if (!running.on)
        return;
    std::fprintf(stderr, "pilgrast start %7.1f ms %7ld kB  %s\n", running.since.nsecsElapsed() / 1e6,
                 peakMemoryKb(), phase);
    std::fflush(stderr);
}
