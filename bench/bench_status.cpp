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

double medianMs(const QString& program, const QStringList& arguments, const QString& folder) {
    QList<double> ms;
    for (int run = 0; run < 41; ++run) {
        QProcess process;
        process.setWorkingDirectory(folder);
        QElapsedTimer timer;
        timer.start();
        process.start(program, arguments);
        process.waitForFinished();
        ms << timer.nsecsElapsed() / 1e6;
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
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
    const double status = medianMs(pilgrast, {QStringLiteral("--status")}, folder.path());
    const double json = medianMs(pilgrast, {QStringLiteral("--status=json")}, folder.path());
    const double calendar =
        medianMs(pilgrast, {QStringLiteral("--export-ics"), QStringLiteral("-")}, folder.path());
    const double floor =
        medianMs(QCoreApplication::applicationFilePath(), {QStringLiteral("floor")}, folder.path());
    const double yes = medianMs(QStandardPaths::findExecutable(QStringLiteral("true")), {}, folder.path());
    const double date = medianMs(QStandardPaths::findExecutable(QStringLiteral("date")), {}, folder.path());
    std::printf(
        "pilgrast --status to exit (median of 41): %.1f ms; bare QCoreApplication printing a line %.1f ms, "
        "ratio %.2f (target 1.50); --status=json %.1f ms; --export-ics - %.1f ms; true %.1f ms; date %.1f "
        "ms\n",
        status, floor, status / floor, json, calendar, yes, date);
    return 0;
}
