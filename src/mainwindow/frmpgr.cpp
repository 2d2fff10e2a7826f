// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmpgr.h"

#include "aboutbox/info.h"
#include "countdownwindow/frmcountdown.h"
#include "counterview/counterview.h"
#include "services/countdisplay.h"
#include "services/errortrap.h"
#include "services/messages.h"
#include "services/programend.h"
#include "services/programerror.h"
#include "services/starttrace.h"
#include "serviceterm/servicecalendar.h"
#include "servicetermwindow/frmserviceterm.h"
#include "settings/declarations.h"
#include "settings/fixedtext.h"
#include "settings/settingsfile.h"
#include "settingsdialog/frmsettings.h"
#include "timecalc/functions.h"
#include "timecalc/servicetimes.h"
#include "ui_frmpgr.h"
#include "widgets/fittext.h"
#include "widgets/flagicon.h"
#include "widgets/labelstyle.h"

#include <QApplication>
#include <QMenuBar>
#include <array>

namespace {

// The name line shrinks for a long name, but not below what reads well at its weight.
constexpr qreal nameLineSmallest = 8;

const QString quitQuestion = QStringLiteral("Für Heute ist Dienstschluß! Möchten Sie den Counter beenden?");
const QString countdownRefusal = QStringLiteral(
    "Countdown steht nicht zur Verfügung! - Sie haben die Einstellung 'Tage' in der Taskleiste "
    "gewählt! Um den Countdown anzuzeigen, müssen Sie Stunden , Minuten oder Sekunden auswählen!");

} // namespace

frmPGR::frmPGR(QWidget* parent)
    : Form<QMainWindow>(parent), ui(std::make_unique<Ui::frmPGR>()), m_timer(this) {
    ui->setupUi(this);
    setWindowIcon(FlagIcon());
    StyleLabels({ui->lbldaytime, ui->lblwho}, Face::Sans, 24, true, HighlightColour());
    StyleLabels({ui->Label7, ui->LblWeek, ui->Label9, ui->Label1, ui->Label6, ui->Label8}, Face::Sans, 13.8,
                false, HighlightColour());
    StyleLabels({ui->Label2, ui->LblDay, ui->Label3, ui->lblhours, ui->Label4, ui->lblMinutes, ui->Label5,
                 ui->lblSeconds},
                Face::Sans, 24, true, PureRed());
    // The layout gives the client area; the menu bar comes on top of it.
    centralWidget()->resize(size());
    GrowToFit(centralWidget());
    resize(centralWidget()->width(), centralWidget()->height() + menuBar()->sizeHint().height());
    connect(&m_timer, &SecondTimer::tick, this, &frmPGR::Timer1_Timer);
    connect(ui->menusettings, &QAction::triggered, this, &frmPGR::menusettings_Click);
    connect(ui->menuservice, &QAction::triggered, this, &frmPGR::menuservice_Click);
    connect(ui->menuquit, &QAction::triggered, this, &frmPGR::menuquit_Click);
    connect(ui->menuCDn, &QAction::triggered, this, &frmPGR::menuCDn_Click);
    connect(ui->menuInfo, &QAction::triggered, this, &frmPGR::menuInfo_Click);
    connect(ui->menuhilfe, &QAction::triggered, this, &frmPGR::menuhilfe_Click);
}

frmPGR::~frmPGR() = default;

void frmPGR::Form_Load() {
    CentreOnScreen(this);
    clearDutyEndFlags();
    CounterHalted = 0;
    CountdownAtDutyEnd = 0;

    if (!SettingsFileExists()) {
        ShowForm<frmSettings>();
        UnloadForm(this);
        return;
    }
    try {
        ReadSettings();
        TraceStart("settings read");
        loadServiceTerm();
        TraceStart("term of service read and worked out");
        renewGreeting();
        ui->lblwho->setText(TrimBlanks(Settings.Dstgrd) + QLatin1Char(' ') + TrimBlanks(Settings.Vorname) +
                            QLatin1Char(' ') + TrimBlanks(Settings.Name));
        ShrinkFontToFit(ui->lblwho, nameLineSmallest);
        txtpgr = EndOfServiceText(Settings);
        txtdsch = TodaysDutyEnd(Settings);
        txtdstbeg = Settings.DstBeg;
    } catch (const ProgramError& error) {
        // Without readable settings there is nothing to count: one message, and the counter halts.
        CounterHalted = 1;
        ReportError(error.description(), QStringLiteral("#21"));
    }
    // Only now: no tick may run while start-up's message box is open.
    m_timer.start();
    CountWindowsChanged();
}

// The free days and the rest of the term, worked out once for the ticks to come. A file
// that cannot be used in full is said once; the counter goes on with what it could use.
void frmPGR::loadServiceTerm() {
    const QString problem = LoadServiceTerm();
    if (!problem.isEmpty())
        MsgBox(problem, MsgStyle::Exclamation);
}

void frmPGR::Form_Unload() {
    m_timer.stop();
    OffDutyShown = False;
    CountWindowsChanged();
}

void frmPGR::clearDutyEndFlags() {
    DutyEndNoticeDone = False;
    QuitQuestionAsked = False;
    AutoCountdownDone = False;
    m_dutyEndFlagsDay = qint64(Date());
}

// A counter that lives in the tray for weeks meets each day with duty as a new start-up
// does: its end of duty brings the countdown window and the question again.
void frmPGR::meetNewDay() {
    const qint64 today = qint64(Date());
    if (today == m_dutyEndFlagsDay)
        return;
    m_dutyEndFlagsDay = today;
    if (TermCalendar.dayInfo(today).dutyDay)
        clearDutyEndFlags();
}

void frmPGR::Timer1_Timer() {
    if (CounterHalted == 1)
        return;
    meetNewDay();
    try {
        const CounterView view = CounterViewAt(shownCounts());
        if (view.countsWorkedOut)
            writeCounts(view.counts);
        if (Settings.nd == 1) {
            txtpgr = EndOfServiceText(Settings);
            txtdsch = TodaysDutyEnd(Settings);
            if (actAtEndOfDuty(view) == Flow::TickEnds)
                return;
        }
        // The caption the taskbar shows, and the same count for the displays outside.
        setWindowTitle(isMinimized() ? view.report.figure
                                     : QStringLiteral("Pilgrast Counter ") + view.report.endOfService);
        ShowCountOutside(view.report);
        writeCounts(view.shown);
        renewGreeting();
    } catch (const ProgramError& error) {
        CounterHalted = 1;
        ReportError(error.description(), QStringLiteral("#20"));
    }
}

Counts frmPGR::shownCounts() const {
    return {ui->LblWeek->text(), ui->LblDay->text(), ui->lblhours->text(), ui->lblMinutes->text(),
            ui->lblSeconds->text()};
}

void frmPGR::writeCounts(const Counts& counts) {
    const std::array<QLabel*, 5> labels = {ui->LblWeek, ui->LblDay, ui->lblhours, ui->lblMinutes,
                                           ui->lblSeconds};
    for (std::size_t i = 0; i < labels.size(); ++i)
        labels[i]->setText(counts[i]);
}

// The end of duty: on the end-of-service day the window comes back and, by the display
// unit, the countdown window takes over; on other days the end-of-duty question and, in
// the last seconds, the countdown window. A free day has no end of duty.
frmPGR::Flow frmPGR::actAtEndOfDuty(const CounterView& view) {
    if (Date() == CDate(Settings.Pgr))
        return endOfServiceDay(txtdsch);
    if (view.duty.followsPeriods) {
        if (quitQuestionAfterPeriod(view.duty) == Flow::TickEnds)
            return Flow::TickEnds;
        return lastSecondsOfPeriod(view.duty);
    }
    if (view.freeDay)
        return Flow::Continue;
    if (quitQuestionAtDutyEnd() == Flow::TickEnds)
        return Flow::TickEnds;
    return lastSecondsBeforeDutyEnd();
}

// The end-of-service day: the window comes back and, by the display unit, the countdown
// window takes over.
frmPGR::Flow frmPGR::endOfServiceDay(const QString& dutyEnd) {
    restoreWindow();
    const DateValue endOfDuty = CDate(dutyEnd);
    const bool countdownDue =
        Settings.Anzeige == Unit::Hours ||
        (Settings.Anzeige == Unit::Seconds && DateDiff(DateInterval::Seconds, Time(), endOfDuty) < 120) ||
        (Settings.Anzeige == Unit::Minutes && DateDiff(DateInterval::Minutes, Time(), endOfDuty) < 60);
    if (countdownDue && AutoCountdownDone == False) {
        openCountdown(false);
        return Flow::TickEnds;
    }
    return Flow::Continue;
}

// From 9 seconds before today's end of duty on, once a start-up, Monday to Friday.
frmPGR::Flow frmPGR::quitQuestionAtDutyEnd() {
    const bool weekday = Weekday(Date(), vbMonday) < 6;
    if (DateDiff(DateInterval::Seconds, Time(), CDate(txtdsch)) < 10 && weekday)
        return askToQuit();
    return Flow::Continue;
}

// Where duty periods shape the day: from 9 seconds before the end of the period served,
// or after a period that ended today.
frmPGR::Flow frmPGR::quitQuestionAfterPeriod(const DutyMoment& duty) {
    const std::optional<DateValue> end =
        duty.onDuty ? std::optional<DateValue>(duty.period->end) : duty.lastEnd;
    const bool endsToday = end && (duty.onDuty || *end >= Date());
    if (endsToday && DateDiff(DateInterval::Seconds, Now(), *end) < 10)
        return askToQuit();
    return Flow::Continue;
}

frmPGR::Flow frmPGR::askToQuit() {
    if (QuitQuestionAsked != False)
        return Flow::Continue;
    QuitQuestionAsked = True;
    if (MsgBox(quitQuestion, MsgStyle::YesNoQuestion) == MsgYes) {
        EndProgram();
        return Flow::TickEnds;
    }
    return Flow::Continue;
}

// Eleven seconds before the end of duty the countdown window counts the last
// seconds, once a start-up; when it has already been shown the window only comes back.
frmPGR::Flow frmPGR::lastSecondsBeforeDutyEnd() {
    return lastSeconds(DateDiff(DateInterval::Seconds, Time(), CDate(txtdsch)));
}

// The same before the end of a duty period that ends a day's duty; none inside a period.
frmPGR::Flow frmPGR::lastSecondsOfPeriod(const DutyMoment& duty) {
    if (!duty.onDuty)
        return Flow::Continue;
    return lastSeconds(DateDiff(DateInterval::Seconds, Now(), duty.period->end));
}

frmPGR::Flow frmPGR::lastSeconds(qint64 secondsLeft) {
    if (secondsLeft <= 0 || secondsLeft >= 12 || DutyEndNoticeDone != False)
        return Flow::Continue;
    DutyEndNoticeDone = True;
    if (AutoCountdownDone == False) {
        openCountdown(true);
        return Flow::TickEnds;
    }
    restoreWindow();
    return Flow::Continue;
}

void frmPGR::openCountdown(bool atDutyEnd) {
    AutoCountdownDone = True;
    if (atDutyEnd)
        CountdownAtDutyEnd = 1;
    UnloadForm(this);
    ShowForm<frmCountdown>();
}

void frmPGR::restoreWindow() {
    if (isMinimized())
        showNormal();
}

// Each greeting holds strictly between its bounds; otherwise the label keeps its text.
void frmPGR::renewGreeting() {
    struct Greeting {
        DateValue after, before;
        QString text;
    };
    static const std::array<Greeting, 3> greetings = {{
        {CDate(QStringLiteral("06:00:00")), CDate(QStringLiteral("12:00:00")),
         QStringLiteral("Guten Morgen!")},
        {CDate(QStringLiteral("12:00:00")), CDate(QStringLiteral("18:00:00")), QStringLiteral("Guten Tag!")},
        {CDate(QStringLiteral("18:00:00")), CDate(QStringLiteral("23:59:00")),
         QStringLiteral("Guten Abend!")},
    }};
    const DateValue now = Time();
    for (const Greeting& greeting : greetings)
        if (now > greeting.after && now < greeting.before)
            ui->lbldaytime->setText(greeting.text);
}

void frmPGR::menusettings_Click() {
    UnloadForm(this);
    ShowForm<frmSettings>();
}

void frmPGR::menuservice_Click() {
    ShowForm<frmServiceTerm>();
}

void frmPGR::menuquit_Click() {
    EndProgram();
}

void frmPGR::menuCDn_Click() {
    if (Settings.Anzeige == Unit::Days) {
        MsgBox(countdownRefusal, MsgStyle::Information);
        return;
    }
    UnloadForm(this);
    ShowForm<frmCountdown>();
}

void frmPGR::menuInfo_Click() {
    ShowForm<Info>();
}

void frmPGR::menuhilfe_Click() {
    PressF1(QApplication::activeWindow() ? QApplication::activeWindow() : this);
}

MainWindowAccess MainWindowOfTheProgram() {
    return {[]() -> QWidget* { return FindForm<frmPGR>(); }, []() -> QWidget* { return ShowForm<frmPGR>(); }};
}
