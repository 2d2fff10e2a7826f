// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes.h"

#include "helpwindow/help.h"
#include "mainwindow/frmpgr.h"

#include "serviceterm/servicecalendar.h"

#include "services/errortrap.h"
#include "services/programend.h"
#include "settings/fixedtext.h"
#include "settings/recordimage.h"

#include "timecalc/functions.h"
#include "timecalc/servicetimes.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QWidget>
#include <unistd.h>

namespace {
// Settings and every flag as at program start.
void resetProgramState() {
    Settings = SettingsRecord{};
    OffDutyShown = DutyEndNoticeDone = QuitQuestionAsked = AutoCountdownDone = 0;
    CounterHalted = CountdownAtDutyEnd = CountdownUnit = 0;
    ForgetRecurringErrors();
    Term = ServiceTerm{};
    TermCalendar = ServiceCalendar{};
}
} // namespace

void FakeClock::set(const QString& instant) {
    now = QDateTime::fromString(instant, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    Q_ASSERT(now.isValid());
}

int ScriptedMessages::show(const QString& text, int style) {
    shown.append({text, style});
    if (whileShown)
        whileShown();
    if (!answers.isEmpty())
        return answers.takeFirst();
    if ((style & 0x0F) == 3)
        return MsgCancel;
    return (style & 0x0F) == 4 ? MsgNo : MsgOk;
}

std::optional<QString> ScriptedMessages::input(const QString& prompt) {
    prompts.append(prompt);
    return inputs.isEmpty() ? std::nullopt : inputs.takeFirst();
}

QStringList ScriptedMessages::texts() const {
    QStringList result;
    for (const Shown& message : shown)
        result << message.text;
    return result;
}

TestWorld::TestWorld(const QString& instant) : m_previousDir(QDir::currentPath()) {
    clock.set(instant);
    SetClockSource(&clock);
    SetMessageService(&messages);
    SetProgramEnd([this] { ++programEnds; });
    SetHelpOpener(&ShowHelp);
    SetMainWindowAccess(MainWindowOfTheProgram());
    QDir::setCurrent(m_dir.path());
    resetProgramState();
}

TestWorld::~TestWorld() {
    deleteAllWindows();
    QDir::setCurrent(m_previousDir);
    SetClockSource(nullptr);
    SetMessageService(nullptr);
    SetProgramEnd({});
    resetProgramState();
}

void TestWorld::deleteAllWindows() {
    // Deleting, not closing: no closing handler brings another window up.
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (!window->parentWidget())
            windows << window;
    for (const QPointer<QWidget>& window : windows)
        delete window.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

SettingsRecord SampleSettings() {
    SettingsRecord record;
    record.Nr = 1;
    SetText(&SettingsRecord::Vorname, record, QStringLiteral("Max"));
    SetText(&SettingsRecord::Name, record, QStringLiteral("Mustermann"));
    SetText(&SettingsRecord::Dstgrd, record, QStringLiteral("Gefr"));
    SetText(&SettingsRecord::Pgr, record, QStringLiteral("01.04.1999"));
    SetText(&SettingsRecord::Dsch, record, QStringLiteral("16:30"));
    SetText(&SettingsRecord::DschFr, record, QStringLiteral("12:00"));
    SetText(&SettingsRecord::DstBeg, record, QStringLiteral("07:00"));
    record.Anzeige = Unit::Days;
    record.nd = 1;
    return record;
}

void SetText(QString SettingsRecord::*field, SettingsRecord& record, const QString& value) {
    record.*field = LeftAligned(value, (record.*field).size());
}

void WriteSettingsFile(const SettingsRecord& record) {
    QFile file(QStringLiteral("pgr.dat"));
    if (!file.open(QIODevice::WriteOnly) || file.write(EncodeRecord(record)) != RecordSize)
        qFatal("cannot write pgr.dat for a test");
}

namespace {
bool runChattr(const QString& flag, const QString& path) {
    return QProcess::execute(QStringLiteral("chattr"), {flag, path}) == 0;
}
} // namespace

WriteProtected::WriteProtected(const QString& path)
    : m_path(QFileInfo(path).absoluteFilePath()), m_permissions(QFile::permissions(m_path)) {
    if (geteuid() == 0) {
        m_active = runChattr(QStringLiteral("+i"), m_path);
        return;
    }
    const QFile::Permissions writeBits =
        QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;
    m_active = QFile::setPermissions(m_path, m_permissions & ~writeBits);
}

WriteProtected::~WriteProtected() {
    if (!m_active)
        return;
    if (geteuid() == 0)
        runChattr(QStringLiteral("-i"), m_path);
    else
        QFile::setPermissions(m_path, m_permissions);
}

QString LabelText(const QWidget* window, const char* name) {
    const auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
    Q_ASSERT(label);
    return label->text();
}

QStringList ShownCounts(const QWidget* mainWindow) {
    QStringList counts;
    for (const char* name : {"LblWeek", "LblDay", "lblhours", "lblMinutes", "lblSeconds"})
        counts << LabelText(mainWindow, name);
    return counts;
}

QStringList PlainCountsAt(FakeClock& clock, const QString& instant) {
    const QDateTime before = clock.now;
    clock.set(instant);
    const qint16 flagBefore = OffDutyShown;
    const DateValue end = CDate(EndOfServiceText(Settings));
    const QStringList counts = {CountText(WeeksLeft(end)), CountText(DaysLeft(end)),
                                CountText(HoursLeft(end)), CountText(MinutesLeft(end)),
                                CountText(SecondsLeft(end))};
    OffDutyShown = flagBefore;
    clock.now = before;
    return counts;
}

void WriteServiceFile(const QStringList& lines) {
    QFile file(QStringLiteral("pilgrast.ini"));
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write pilgrast.ini");
    file.write(
        (QStringLiteral("[Dienstzeit]\n") + lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
}

frmPGR* TickMainWindowAt(TestWorld& world, const QString& instant) {
    world.clock.set(instant);
    frmPGR* window = FindForm<frmPGR>();
    Q_ASSERT(window);
    window->Timer1_Timer();
    return FindForm<frmPGR>();
}
