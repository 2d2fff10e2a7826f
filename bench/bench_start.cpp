// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up time, memory, idle CPU and how closely the display follows the clock.
//
//   bench_start [idle-seconds]     the whole measurement, run under a display
//   bench_start child program|bare|label  one start, used by the measurement itself
//   bench_start child lag          20 s of the real program with the real clock
#include "app/program.h"
#include "mainwindow/frmpgr.h"
#include "widgets/forms.h"
#include "settings/declarations.h"
#include "settings/fixedtext.h"
#include "settings/recordimage.h"

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
#include <sys/resource.h>
#include <unistd.h>

namespace {

long peakMemoryKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Tells the parent, once the first round of events after showing (the window's
// first paint among them) has been handled, and ends.
void reportOnceShown() {
    QTimer::singleShot(0, [] {
        std::printf("shown %ld\n", peakMemoryKb());
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
}

void writeSettings(const QString& folder, bool dutyTime) {
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
    record.nd = dutyTime ? 1 : 0;
    QFile file(QDir(folder).filePath(QStringLiteral("pgr.dat")));
    if (!file.open(QIODevice::WriteOnly) || file.write(EncodeRecord(record)) != RecordSize)
        qFatal("cannot write pgr.dat");
}

int childStart(const QString& mode) {
    if (mode != QLatin1String("program")) {
        // The bare window; "label" adds one line of text, so that fonts are loaded too.
        auto* window = new QWidget;
        window->resize(426, 422);
        if (mode == QLatin1String("label"))
            new QLabel(QStringLiteral("Pilgrast Counter"), window);
        window->show();
    } else {
        StartProgram();
        if (!FindForm<frmPGR>())
            qFatal("no main window: pgr.dat missing");
    }
    reportOnceShown();
    return QApplication::exec();
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

struct Start {
    double ms;
    long memoryKb;
};

Start timeOneStart(const QString& mode, const QString& folder) {
    QProcess child;
    child.setWorkingDirectory(folder);
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("child"), mode});
    while (!child.canReadLine() && child.waitForReadyRead(10000)) {
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    const QList<QByteArray> words = child.readLine().trimmed().split(' ');
    child.waitForFinished(5000);
    return {ms, words.size() == 2 ? words[1].toLong() : -1};
}

template <class T> T median(QList<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// CPU time the running program used over a span of idle counting, in percent.
double idleCpuPercent(const QString& folder, int seconds) {
    QProcess program;
    program.setWorkingDirectory(folder);
    program.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("pilgrast")));
    program.waitForStarted();
    QThread::sleep(3);
    const auto cpuTicks = [&] {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(program.processId()));
        stat.open(QIODevice::ReadOnly);
        const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
        return fields.value(11).toLongLong() + fields.value(12).toLongLong(); // utime + stime
    };
    const qint64 before = cpuTicks();
    QThread::sleep(static_cast<unsigned long>(seconds));
    const qint64 after = cpuTicks();
    program.kill();
    program.waitForFinished();
    return 100.0 * double(after - before) / double(sysconf(_SC_CLK_TCK)) / seconds;
}

int measureAll(int idleSeconds) {
    QTemporaryDir folder;
    writeSettings(folder.path(), true);

    const QStringList modes = {QStringLiteral("program"), QStringLiteral("bare"), QStringLiteral("label")};
    QList<QList<double>> ms(modes.size());
    QList<QList<long>> kb(modes.size());
    for (int run = 0; run < 11; ++run) {
        for (qsizetype mode = 0; mode < modes.size(); ++mode) {
            const Start start = timeOneStart(modes[mode], folder.path());
            ms[mode] << start.ms;
            kb[mode] << start.memoryKb;
        }
    }
    const double programMs = median(ms[0]), bareMs = median(ms[1]), labelMs = median(ms[2]);
    const double programKb = median(kb[0]), bareKb = median(kb[1]), labelKb = median(kb[2]);
    std::printf("start to first shown: program %.1f ms, bare window %.1f ms, ratio %.2f (target 1.30); "
                "bare window with a label %.1f ms, ratio %.2f\n",
                programMs, bareMs, programMs / bareMs, labelMs, programMs / labelMs);
    std::printf("peak memory: program %.0f kB, bare window %.0f kB, ratio %.2f (target 1.20); "
                "bare window with a label %.0f kB, ratio %.2f\n",
                programKb, bareKb, programKb / bareKb, labelKb, programKb / labelKb);

    std::printf("idle CPU over %d s      %.3f %% (target 0.1 %%)\n", idleSeconds,
                idleCpuPercent(folder.path(), idleSeconds));

    QTemporaryDir simple;
    writeSettings(simple.path(), false);
    QProcess lag;
    lag.setWorkingDirectory(simple.path());
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
    if (arguments.value(1) == QLatin1String("child")) {
        if (arguments.value(2) == QLatin1String("lag"))
            return childLag();
        return childStart(arguments.value(2));
    }
    return measureAll(arguments.size() > 1 ? arguments.value(1).toInt() : 60);
}
