// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLockFile>
#include <QObject>
#include <memory>

class QSocketNotifier;

// One counter per settings folder. The first start for a folder holds a lock and
// listens on a local socket; a later start for the same folder asks it to bring its
// window to the front and then ends. A lock left by a run that crashed or was killed is
// taken over, since the process named in it no longer runs.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    ~SingleInstance() override;
    // Claims the counter for the folder (empty: the current directory). False when
    // another run holds it; that run was asked to come to the front.
    bool claim(const QString& settingsFolder);

signals:
    // A later start for the same folder asked for the counter's window.
    void frontWanted();

private:
    void listen(const QString& socketPath);
    void callerArrived();

    std::unique_ptr<QLockFile> m_lock;
    int m_socket = -1;
    QString m_socketPath;
    QSocketNotifier* m_callers = nullptr;
};
