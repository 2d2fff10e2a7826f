// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up time, memory, wake-ups, idle CPU and how closely the display follows the clock.
//
//   bench_start [idle-seconds]     the whole measurement, run under a display
//   bench_start child lag          20 s of the real program with the real clock
//
// The start is that of the installed kind of program: pilgrast itself, exec to its first
// frame (told with PILGRAST_TRACE_START), against the floor of a bare Qt window and one
// with a label (bench_floor), started in turns.
#include "app/program.h"
#include "mainwindow/frmpgr.h"
#include "settings/declarations.h"
#include "settings/fixedtext.h"
#include "settings/recordimage.h"
#include "widgets/forms.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

void writeSettings(const QString& folder) {
    SettingsRecord record;
    record.Nr = 1;
    record.Vorname = LeftAligned(QStringLiteral("Max"), SettingsRecord::VornameWidth);
    record.Name = LeftAligned(QStringLiteral("Mustermann"), SettingsRecord::NameWidth);
    record.Dstgrd = LeftAligned(QStringLiteral("Gefr"), SettingsRecord::DstgrdWidth);
    record.Pgr = QDate::currentDate().addDays(200).toString(QStringLiteral("dd.MM.yyyy"));
    record.Dsch = QStringLiteral("16:30");
    record.DschFr = QStringLiteral("12:00");
    record.DstBeg = QStringLiteral("07:00");
    record.Anzeige = Unit::Days;
    record.nd = 0;
    QFile file(QDir(folder).filePath(QStringLiteral("pgr.dat")));
    if (!file.open(QIODevice::WriteOnly) || file.write(EncodeRecord(record)) != RecordSize)
        qFatal("cannot write pgr.dat");
}

QString besideMe(const QString& name) {
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

// A line of /proc/PID/status, in kB or as a count.
long procStatus(qint64 pid, const char* key) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').first().toLong();
    return -1;
}

// One /proc file of each of the process's threads.
QList<QByteArray> threadFiles(qint64 pid, const char* name) {
    QList<QByteArray> contents;
    for (const QString& task :
         QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(QStringLiteral("/proc/%1/task/%2/%3").arg(pid).arg(task, QLatin1String(name)));
        if (file.open(QIODevice::ReadOnly))
            contents.append(file.readAll());
    }
    return contents;
}

// Voluntary context switches of all the process's threads: each is a sleep ended by a wake-up.
long wakeUps(qint64 pid) {
    long total = 0;
    for (const QByteArray& status : threadFiles(pid, "status"))
        for (const QByteArray& line : status.split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:"))
                total += line.mid(24).trimmed().toLong();
    return total;
}

// CPU time of all the process's threads in nanoseconds; the clock ticks of /proc/PID/stat
// are too coarse for a process that runs a millisecond a second.
qint64 cpuNanoseconds(qint64 pid) {
    qint64 total = 0;
    for (const QByteArray& schedstat : threadFiles(pid, "schedstat"))
        total += schedstat.split(' ').first().toLongLong();
    return total;
}

struct Start {
    double ms;         // exec to the first frame
    long peakKb;       // peak resident memory a second later
    QStringList trace; // the program's phases
};

Start timeOneStart(const QString& program, const QStringList& arguments, const QString& folder) {
    QProcess child;
    child.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PILGRAST_TRACE_START"), QStringLiteral("1"));
    // A runtime folder in memory, as every desktop session has one (/run/user/UID): the
    // counter's lock is written with fdatasync, which on a disk waits for the disk.
    static const QString memory =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static const QTemporaryDir runtime(memory + QStringLiteral("/pilgrast-bench-XXXXXX"));
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    child.setProcessEnvironment(environment);
    child.setReadChannel(QProcess::StandardError);
    QElapsedTimer timer;
    timer.start();
    child.start(program, arguments);
    Start start{-1, -1, {}};
    while (start.ms < 0 && child.waitForReadyRead(10000))
        while (child.canReadLine()) {
            const QString line = QString::fromUtf8(child.readLine()).trimmed();
            start.trace << line;
            if (line.endsWith(QLatin1String("first frame")))
                start.ms = timer.nsecsElapsed() / 1e6;
        }
    QThread::msleep(1000); // the desktop's services come after the first frame
    start.trace << QString::fromUtf8(child.readAllStandardError()).trimmed().split(QLatin1Char('\n'));
    start.peakKb = procStatus(child.processId(), "VmHWM:");
    child.kill();
    child.waitForFinished();
    return start;
}

template <class T> T median(QList<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Follows the seconds label for 20 s: how long after the wall clock's second the
// figure changes, and whether any second is skipped or shown twice.
int childLag() {
    StartProgram();
    auto* seconds = FindForm<frmPGR>()->findChild<QLabel*>(QStringLiteral("lblSeconds"));
    auto* poll = new QTimer(qApp);
    poll->setTimerType(Qt::PreciseTimer);
    QList<int> lags;
    int skipped = 0, repeated = 0;
    qint64 last = 0;
    bool first = true;
    QElapsedTimer running;
    running.start();
    QObject::connect(poll, &QTimer::timeout, [&] {
        const qint64 value = seconds->text().toLongLong();
        if (!first && value == last)
            return;
        const int lag = QTime::currentTime().msec();
        if (!first) {
            lags << lag;
            if (last - value > 1)
                skipped += int(last - value - 1);
            if (last - value < 1)
                ++repeated;
        }
        first = seconds->text().isEmpty();
        last = value;
        if (running.elapsed() > 20500) {
            std::sort(lags.begin(), lags.end());
            std::printf("lag %d %d %d %d %lld\n", lags.isEmpty() ? -1 : lags[lags.size() / 2],
                        lags.isEmpty() ? -1 : lags.last(), skipped, repeated, qlonglong(lags.size()));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        }
    });
    poll->start(1);
    return QApplication::exec();
}

// Wake-ups a second and CPU time in percent over a span of idle counting.
std::pair<double, double> idleCounting(const QString& folder, int seconds) {
    QProcess program;
    program.setWorkingDirectory(folder);
    program.start(besideMe(QStringLiteral("pilgrast")));
    program.waitForStarted();
    QThread::sleep(3);
    const qint64 cpuBefore = cpuNanoseconds(program.processId());
    const long wakeUpsBefore = wakeUps(program.processId());
    QThread::sleep(static_cast<unsigned long>(seconds));
    const double perSecond = double(wakeUps(program.processId()) - wakeUpsBefore) / seconds;
    const double cpu = 100.0 * double(cpuNanoseconds(program.processId()) - cpuBefore) / 1e9 / seconds;
    program.kill();
    program.waitForFinished();
    return {perSecond, cpu};
}

int measureAll(int idleSeconds) {
    // Simple mode, so that the hour of the run does not matter: in duty-time mode after the end
    // of duty the first tick asks the end-of-duty question and waits for it.
    QTemporaryDir folder;
    writeSettings(folder.path());

    struct Kind {
        const char* name;
        QString program;
        QStringList arguments;
        QList<Start> starts;
    };
    QList<Kind> kinds = {
        {"program", besideMe(QStringLiteral("pilgrast")), {}, {}},
        {"bare window", besideMe(QStringLiteral("bench_floor")), {QStringLiteral("bare")}, {}},
        {"window with a label", besideMe(QStringLiteral("bench_floor")), {QStringLiteral("label")}, {}}};
    for (int run = 0; run < 9; ++run)
        for (Kind& kind : kinds)
            kind.starts << timeOneStart(kind.program, kind.arguments, folder.path());
    QList<double> ms[3];
    QList<long> kb[3];
    for (int k = 0; k < 3; ++k)
        for (const Start& start : kinds[k].starts) {
            ms[k] << start.ms;
            kb[k] << start.peakKb;
        }
    const double program = median(ms[0]), bare = median(ms[1]), label = median(ms[2]);
    std::printf("exec to first frame (median of 9): program %.1f ms; bare window %.1f ms, ratio %.2f; "
                "window with a label %.1f ms, ratio %.2f (target 1.20)\n",
                program, bare, program / bare, label, program / label);
    std::printf("peak memory a second after: program %ld kB; bare window %ld kB, ratio %.2f; "
                "window with a label %ld kB, ratio %.2f (target 1.15)\n",
                median(kb[0]), median(kb[1]), double(median(kb[0])) / median(kb[1]), median(kb[2]),
                double(median(kb[0])) / median(kb[2]));
    // The phases of the program's median start.
    const double wanted = program;
    for (const Start& start : kinds[0].starts)
        if (start.ms == wanted)
            for (const QString& line : start.trace)
                if (line.startsWith(QLatin1String("pilgrast start")))
                    std::printf("  %s\n", qPrintable(line));

    const auto [perSecond, cpu] = idleCounting(folder.path(), idleSeconds);
    std::printf("idle counting over %d s: %.2f wake-ups a second (target 1.1), %.3f %% CPU (target 0.1 %%)\n",
                idleSeconds, perSecond, cpu);

    QProcess lag;
    lag.setWorkingDirectory(folder.path());
    lag.start(QCoreApplication::applicationFilePath(), {QStringLiteral("child"), QStringLiteral("lag")});
    lag.waitForFinished(40000);
    const QList<QByteArray> words = lag.readAllStandardOutput().trimmed().split(' ');
    if (words.size() == 6)
        std::printf(
            "label after the second median %s ms, max %s ms (targets 20, 100); %s changes, %s skipped, "
            "%s repeated\n",
            words[1].constData(), words[2].constData(), words[5].constData(), words[3].constData(),
            words[4].constData());
    else
        std::printf("lag measurement failed\n");
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.value(1) == QLatin1String("child") && arguments.value(2) == QLatin1String("lag"))
        return childLag();
    return measureAll(arguments.size() > 1 ? arguments.value(1).toInt() : 60);
}
