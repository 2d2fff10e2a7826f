// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "services/messages.h"
#include "settings/declarations.h"
#include "services/clock.h"

#include <QDateTime>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <functional>

// A clock that stands still until the test moves it.
class FakeClock : public ClockSource {
public:
    QDateTime now;
    QDateTime currentDateTime() const override { return now; }
    int msecsToNextSecond() const override { return 3600 * 1000; } // never turns during a test
    void set(const QString& instant);                              // "yyyy-MM-dd hh:mm:ss"
    void advance(int seconds) { now = now.addSecs(seconds); }
};

// Records every message box and answers from a script (OK, No to questions, Cancel
// where there is a Cancel button, when the script is empty).
class ScriptedMessages : public MessageService {
public:
    struct Shown {
        QString text;
        int style;
    };
    QList<Shown> shown;
    QList<int> answers;
    QStringList prompts;              // what input boxes asked
    QList<std::optional<QString>> inputs; // their answers; none: cancelled
    std::function<void()> whileShown; // runs while a box would be open
    int show(const QString& text, int style) override;
    std::optional<QString> input(const QString& prompt) override;
    QStringList texts() const;
};

// Everything a test of the program needs: a fake clock, scripted messages, a
// recorded program end and an empty current directory of its own. Restores all
// on destruction and deletes every window left open.
class TestWorld {
public:
    explicit TestWorld(const QString& instant = QStringLiteral("1999-03-01 10:00:00"));
    ~TestWorld();
    TestWorld(const TestWorld&) = delete;
    TestWorld& operator=(const TestWorld&) = delete;

    FakeClock clock;
    ScriptedMessages messages;
    int programEnds = 0;

    QString path(const QString& name) const { return m_dir.filePath(name); }
    static void deleteAllWindows();

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
};

// A complete record as the settings dialog stores it: Max Mustermann, Gefr, end of
// service 01.04.1999 (a Thursday), duty 07:00 to 16:30, Friday to 12:00, days, duty-time mode.
SettingsRecord SampleSettings();
void SetText(QString SettingsRecord::*field, SettingsRecord& record, const QString& value);
// Writes the record as pgr.dat into the current directory.
void WriteSettingsFile(const SettingsRecord& record);

// Write-protects a folder or a file while it lives: by its permissions, or for the
// superuser, whom permissions do not bind, by the immutable attribute.
class WriteProtected {
public:
    explicit WriteProtected(const QString& path);
    ~WriteProtected();
    WriteProtected(const WriteProtected&) = delete;
    WriteProtected& operator=(const WriteProtected&) = delete;
    bool active() const { return m_active; }

private:
    QString m_path;
    QFile::Permissions m_permissions;
    bool m_active = false;
};

class frmPGR;
// Sets the clock and runs one tick of the main window, which must exist; returns the main
// window after the tick, nullptr when it gave way to another.
frmPGR* TickMainWindowAt(TestWorld& world, const QString& instant);

// The text of the named label in the window.
QString LabelText(const QWidget* window, const char* name);

// The five counts (weeks to seconds) of the main window, as shown.
QStringList ShownCounts(const QWidget* mainWindow);

// The plain counts at the instant to the end of service of the current Settings,
// as the main window would show them; the clock is put back afterwards.
QStringList PlainCountsAt(FakeClock& clock, const QString& instant);

// Writes pilgrast.ini into the current directory: the lines of its [Dienstzeit] group.
void WriteServiceFile(const QStringList& lines);
