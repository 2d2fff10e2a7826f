// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "starttrace.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QtGlobal>
#include <cstdio>

namespace {

// The monotonic clock, the one a parent process times the exec with (QDeadlineTimer's).
qint64 monotonicNanoseconds() {
    return QDeadlineTimer::current().deadlineNSecs();
}

// The instant the trace counts from: the one the caller gave, when it timed the exec, or
// the trace's first phase, which is the start of main(). That instant is left in the
// environment, so that the windows' module, which has a trace of its own, counts from it too.
struct Trace {
    bool on = qEnvironmentVariableIsSet("PILGRAST_TRACE_START");
    qint64 given = qgetenv("PILGRAST_TRACE_START").toLongLong();
    qint64 since = given > 1 ? given : monotonicNanoseconds();
    Trace() {
        if (on)
            qputenv("PILGRAST_TRACE_START", QByteArray::number(since));
    }
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
    const double elapsedMs = double(monotonicNanoseconds() - running.since) / 1e6; // before reading memory
    std::fprintf(stderr, "pilgrast start %7.1f ms %7ld kB  %s\n", elapsedMs, peakMemoryKb(), phase);
    std::fflush(stderr);
}
