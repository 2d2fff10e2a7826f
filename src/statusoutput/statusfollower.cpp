// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "statusfollower.h"

#include "services/programerror.h"
#include "settings/fileaccess.h"
#include "settings/settingsfile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <sys/stat.h>

namespace {

// Whether standard output is a pipe or a socket, whose reader can go away.
bool outputHasReader() {
    struct stat info {};
    return fstat(fileno(stdout), &info) == 0 && (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode));
}

} // namespace

QString ReadCounterFiles() {
    try {
        if (!QFileInfo::exists(SettingsFilePath()))
            return QStringLiteral("Die Einstellungsdatei „%1“ fehlt: bitte Pilgrast Counter starten und die "
                                  "Einstellungen speichern.")
                .arg(SettingsFilePath());
        ReadSettings();
    } catch (const ProgramError& error) {
        return error.description();
    }
    LoadServiceTerm(); // what cannot be used is left out, as the windows do; they tell it
    return {};
}

StatusFollower::StatusFollower(StatusFormat format, bool following, QObject* parent)
    : QObject(parent), m_format(format), m_following(following) {}

QString StatusFollower::printNow() {
    if (const QString problem = ReadCounterFiles(); !problem.isEmpty())
        return problem;
    try {
        print(StatusOutput(FreshCounterView().report, m_format, m_following));
    } catch (const ProgramError& error) {
        return error.description();
    }
    return {};
}

void StatusFollower::follow() {
    // A reader that went away is noticed here, not by a signal that would end the program mid-line.
    std::signal(SIGPIPE, SIG_IGN);
    if (outputHasReader()) {
        m_readerGone = new QSocketNotifier(fileno(stdout), QSocketNotifier::Read, this);
        connect(m_readerGone, &QSocketNotifier::activated, qApp, &QCoreApplication::quit);
    }
    m_files.addPath(QFileInfo(SettingsFilePath()).absolutePath());
    connect(&m_files, &QFileSystemWatcher::directoryChanged, this, &StatusFollower::update);
    connect(&m_files, &QFileSystemWatcher::fileChanged, this, &StatusFollower::update);
    connect(&m_alarm, &WallClockAlarm::rang, this, &StatusFollower::update);
    update();
}

// Worked out anew; printed only when it differs from the last line.
void StatusFollower::update() {
    // Files written in place are watched themselves; one replaced by another is watched anew.
    for (const QString& file : {SettingsFilePath(), ServiceFilePath()})
        if (QFileInfo::exists(file) && !m_files.files().contains(file))
            m_files.addPath(file);
    // Settings being written or unreadable: the last line stays, and they are looked at again
    // shortly. Missing ones are waited for: the watched folder tells when they come.
    const auto lookAgain = [this] { QTimer::singleShot(200, this, &StatusFollower::update); };
    if (!ReadCounterFiles().isEmpty()) {
        if (!QFileInfo::exists(SettingsFilePath()) && !m_files.directories().isEmpty())
            return;
        return lookAgain();
    }
    FollowedStatus status;
    try {
        status = FollowedStatusNow(m_format);
    } catch (const ProgramError&) {
        return lookAgain();
    }
    if (status.text != m_printed) {
        try {
            print(status.text);
        } catch (const ProgramError&) {
            QCoreApplication::quit(); // the reader has gone
            return;
        }
    }
    m_alarm.setFor(status.wakeAt.addMSecs(5));
}

void StatusFollower::print(const QString& text) {
    m_printed = text;
    WriteStandardOutput(text.toUtf8(), QStringLiteral("Die Ausgabe kann nicht geschrieben werden"));
}
