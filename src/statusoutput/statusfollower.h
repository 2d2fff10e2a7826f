// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "statusline.h"
#include "wallclockalarm.h"

#include <QFileSystemWatcher>
#include <QObject>

class QSocketNotifier;

// The status of the counter in the settings folder on standard output: printed once, or
// followed, a flushed line each time it changes. Following wakes only when the output
// can change or a settings file changed, and ends the event loop as soon as the reader of
// the output has gone.
class StatusFollower : public QObject {
    Q_OBJECT
public:
    StatusFollower(StatusFormat format, bool following, QObject* parent = nullptr);

    // Reads the settings and prints the status; the German cause when that fails.
    QString printNow();
    // Goes on printing each change while the event loop runs.
    void follow();

private:
    void update();
    // One flushed write; a failure throws.
    void print(const QString& text);

    StatusFormat m_format;
    bool m_following;
    QString m_printed;
    WallClockAlarm m_alarm;
    QFileSystemWatcher m_files;
    QSocketNotifier* m_readerGone = nullptr;
};

// Reads pgr.dat and pilgrast.ini as the main window does, for a command without windows;
// the German cause when there is nothing to count.
QString ReadCounterFiles();
