// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// How fast "pilgrast --status" ends, against the floor of a bare QCoreApplication that prints
// one line (this program started as "bench_status floor"), true and date, started the same way.
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

struct Command {
    QString program;
    QStringList arguments;
    QList<double> ms;
};

// Exec to exit of each command, started in turns so that a change of the machine's load
// meets all alike; the medians are left in the commands.
void timeInTurns(QList<Command>& commands, const QString& folder) {
    for (int run = 0; run < 41; ++run)
        for (Command& command : commands) {
            QProcess process;
            process.setWorkingDirectory(folder);
            QElapsedTimer timer;
            timer.start();
            process.start(command.program, command.arguments);
            process.waitForFinished();
            command.ms << timer.nsecsElapsed() / 1e6;
        }
    for (Command& command : commands)
        std::sort(command.ms.begin(), command.ms.end());
}

double median(const Command& command) {
    return command.ms[command.ms.size() / 2];
}

// The shared objects a command loads, as the dynamic loader reports them.
qsizetype sharedObjects(const Command& command, const QString& folder) {
    QProcess process;
    process.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
    process.setProcessEnvironment(environment);
    process.start(command.program, command.arguments);
    process.waitForFinished();
    return process.readAllStandardError().count("calling init:");
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (QCoreApplication::arguments().value(1) == QLatin1String("floor")) {
        std::puts("noch 180 Tage");
        return 0;
    }
    QTemporaryDir folder;
    // A settings record with an end of service half a year ahead, duty time counted.
    QFile record(QDir(folder.path()).filePath(QStringLiteral("pgr.dat")));
    record.open(QIODevice::WriteOnly);
    const QByteArray end =
        QDate::currentDate().addDays(180).toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
    QByteArray image;
    image += QByteArray("\x01\x00", 2) + QByteArray("Max").leftJustified(30) +
             QByteArray("Mustermann").leftJustified(30) + QByteArray("Gefr ") + end + "16:30" +
             QByteArray("\x01\x00", 2) + "12:00" + QByteArray("\x01\x00", 2) + "07:00";
    record.write(image);
    record.close();
    QFile term(QDir(folder.path()).filePath(QStringLiteral("pilgrast.ini")));
    term.open(QIODevice::WriteOnly);
    term.write("[Dienstzeit]\nBeginn=1.10.2026\nBundesland=BY\n");
    term.close();

    const QString pilgrast =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("pilgrast"));
    QList<Command> commands = {{pilgrast, {QStringLiteral("--status")}, {}},
                               {QCoreApplication::applicationFilePath(), {QStringLiteral("floor")}, {}},
                               {pilgrast, {QStringLiteral("--status=json")}, {}},
                               {pilgrast, {QStringLiteral("--export-ics"), QStringLiteral("-")}, {}},
                               {QStandardPaths::findExecutable(QStringLiteral("true")), {}, {}},
                               {QStandardPaths::findExecutable(QStringLiteral("date")), {}, {}}};
    timeInTurns(commands, folder.path());
    std::printf(
        "exec to exit (median of 41, in turns): pilgrast --status %.1f ms; bare QCoreApplication printing "
        "a line %.1f ms, ratio %.2f (target 1.50); --status=json %.1f ms; --export-ics - %.1f ms; true "
        "%.1f ms; date %.1f ms\n",
        median(commands[0]), median(commands[1]), median(commands[0]) / median(commands[1]),
        median(commands[2]), median(commands[3]), median(commands[4]), median(commands[5]));
    std::printf(
        "shared objects loaded: pilgrast --status %lld, --export-ics %lld; bare QCoreApplication %lld\n",
        qlonglong(sharedObjects(commands[0], folder.path())),
        qlonglong(sharedObjects(commands[3], folder.path())),
        qlonglong(sharedObjects(commands[1], folder.path())));
    return 0;
}
