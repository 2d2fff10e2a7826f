// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up time, memory, wake-ups, idle CPU and how closely the display follows the clock.
//
//   bench_start [idle-seconds [starts]]   the whole measurement, run under a display
//   bench_start child lag          20 s of the real program with the real clock
//
// The start is that of the installed kind of program: pilgrast itself, from the exec to its
// window being viewable under the window manager, as the user sees it, against the floor of
// a bare Qt window and one with a label (bench_floor), started in turns and timed alike.
// Each tells its phases (PILGRAST_TRACE_START, counted from the exec) up to its first frame.
#include "app/program.h"
#include "mainwindow/frmpgr.h"
#include "settings/declarations.h"
#include "settings/fixedtext.h"
#include "settings/recordimage.h"
#include "widgets/forms.h"

#include <QApplication>
#include <QDate>
#include <QDeadlineTimer>
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
#include <poll.h>
#include <xcb/xcb.h>

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

// Watches the X server, as the window manager's frames come and go, for the moment a window
// of a given process is viewable: mapped, and every window it lies in mapped too.
class ViewableWatch {
public:
    ViewableWatch() : m_connection(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(m_connection))
            qFatal("no X display");
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        watch(m_root);
        const QByteArray name("_NET_WM_PID");
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, uint16_t(name.size()), name.constData()), nullptr);
        m_pidAtom = atom->atom;
        free(atom);
        xcb_flush(m_connection);
    }
    ~ViewableWatch() { xcb_disconnect(m_connection); }

    // The monotonic instant the window of the process was first seen viewable, or -1 when
    // none was within the timeout.
    qint64 waitFor(qint64 pid, int timeoutMs) {
        const QDeadlineTimer deadline(timeoutMs, Qt::PreciseTimer);
        pollfd connection{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        while (!deadline.hasExpired()) {
            // Events say when to look; a look every few milliseconds covers a map inside a
            // frame created before it was watched.
            poll(&connection, 1, 3);
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                if ((event->response_type & 0x7f) == XCB_CREATE_NOTIFY)
                    watch(reinterpret_cast<xcb_create_notify_event_t*>(event)->window);
                free(event);
            }
            xcb_flush(m_connection);
            if (viewableWindowOf(pid, m_root, true))
                return QDeadlineTimer::current().deadlineNSecs();
        }
        return -1;
    }

private:
    void watch(xcb_window_t window) {
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, window, XCB_CW_EVENT_MASK, &mask);
    }

    qint64 pidOf(xcb_window_t window) {
        xcb_get_property_reply_t* property = xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, m_pidAtom, XCB_ATOM_CARDINAL, 0, 1),
            nullptr);
        qint64 pid = -1;
        if (property && xcb_get_property_value_length(property) == 4)
            pid = *static_cast<uint32_t*>(xcb_get_property_value(property));
        free(property);
        return pid;
    }

    // Whether a viewable window of the process lies in the tree below the window; only
    // mapped windows are descended into, as nothing in an unmapped one is viewable.
    bool viewableWindowOf(qint64 pid, xcb_window_t window, bool isRoot) {
        if (!isRoot) {
            xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
                m_connection, xcb_get_window_attributes(m_connection, window), nullptr);
            const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
            free(attributes);
            if (!viewable)
                return false;
            if (pidOf(window) == pid)
                return true;
        }
        xcb_query_tree_reply_t* tree =
            xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr);
        bool found = false;
        if (tree) {
            const xcb_window_t* children = xcb_query_tree_children(tree);
            for (int i = 0; i < xcb_query_tree_children_length(tree) && !found; ++i)
                found = viewableWindowOf(pid, children[i], false);
        }
        free(tree);
        return found;
    }

    xcb_connection_t* m_connection;
    xcb_window_t m_root = 0;
    xcb_atom_t m_pidAtom = 0;
};

struct Start {
    double ms;         // exec to the window viewable
    long peakKb;       // peak resident memory a second later
    QStringList trace; // the program's phases, counted from the exec
};

Start timeOneStart(const QString& program, const QStringList& arguments, const QString& folder) {
    static ViewableWatch viewable;
    QProcess child;
    child.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const qint64 exec = QDeadlineTimer::current().deadlineNSecs();
    environment.insert(QStringLiteral("PILGRAST_TRACE_START"), QString::number(exec));
    // A runtime folder in memory, as every desktop session has one (/run/user/UID): the
    // counter's lock is written with fdatasync, which on a disk waits for the disk.
    static const QString memory =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static const QTemporaryDir runtime(memory + QStringLiteral("/pilgrast-bench-XXXXXX"));
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    child.setProcessEnvironment(environment);
    child.start(program, arguments);
    const qint64 shown = viewable.waitFor(child.processId(), 10000);
    Start start{shown < 0 ? -1 : double(shown - exec) / 1e6, -1, {}};
    QThread::msleep(1000); // the desktop's services come after the first frame
    start.peakKb = procStatus(child.processId(), "VmHWM:");
    child.kill();
    child.waitForFinished();
    start.trace = QString::fromUtf8(child.readAllStandardError()).trimmed().split(QLatin1Char('\n'));
    return start;
}

template <class T> T median(QList<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The instants each phase was told at over the starts, in the order of the phases:
// "pilgrast start   12.3 ms  31024 kB  settings read".
QList<std::pair<QString, QList<double>>> phaseInstants(const QList<Start>& starts) {
    QList<std::pair<QString, QList<double>>> phases;
    for (const Start& start : starts)
        for (const QString& line : start.trace) {
            const QStringList words = line.simplified().split(QLatin1Char(' '));
            if (words.size() < 7 || words[0] != QLatin1String("pilgrast") ||
                words[1] != QLatin1String("start"))
                continue;
            const QString phase = words.mid(6).join(QLatin1Char(' '));
            auto known =
                std::find_if(phases.begin(), phases.end(), [&](const auto& p) { return p.first == phase; });
            if (known == phases.end())
                phases.append({phase, {words[2].toDouble()}});
            else
                known->second.append(words[2].toDouble());
        }
    return phases;
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

int measureAll(int idleSeconds, int starts) {
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
    for (int run = 0; run < starts; ++run)
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
    std::printf("exec to the window viewable under the window manager (median of %d): program %.1f ms; "
                "bare window %.1f ms, ratio %.2f; window with a label %.1f ms, ratio %.2f (target 1.20)\n",
                starts, program, bare, program / bare, label, program / label);
    std::printf("peak memory a second after: program %ld kB; bare window %ld kB, ratio %.2f; "
                "window with a label %ld kB, ratio %.2f (target 1.15)\n",
                median(kb[0]), median(kb[1]), double(median(kb[0])) / median(kb[1]), median(kb[2]),
                double(median(kb[0])) / median(kb[2]));
    // The phases of the program and of the window with a label: each phase's median instant.
    for (const int k : {0, 2}) {
        std::printf("phases of the %s, median ms since the exec:\n", kinds[k].name);
        for (const auto& [phase, instants] : phaseInstants(kinds[k].starts))
            std::printf("  %7.1f  %s\n", median(instants), qPrintable(phase));
    }

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
    return measureAll(arguments.size() > 1 ? arguments.value(1).toInt() : 60,
                      arguments.size() > 2 ? arguments.value(2).toInt() : 21);
}
