// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmpgr.h"

#include "aboutbox/info.h"
#include "countdownwindow/frmcountdown.h"
#include "flagicon.h"
#include "services/countdisplay.h"
#include "services/errortrap.h"
#include "services/messages.h"
#include "services/programend.h"
#include "services/programerror.h"
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

// A label's caption as a number; anything else is an error of the refresh. An empty
// caption is the count of a function that failed and said so: no number, nothing run out.
qint64 captionNumber(const QLabel* label) {
    if (label->text().isEmpty())
        return 1;
    bool ok = false;
    const qint64 value = label->text().toLongLong(&ok);
    if (!ok)
        throw ProgramError(QStringLiteral("Die Anzeige „%1“ ist keine Zahl.").arg(label->text()));
    return value;
}

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
    DutyEndNoticeDone = False;
    QuitQuestionAsked = False;
    AutoCountdownDone = False;
    CounterHalted = 0;
    CountdownAtDutyEnd = 0;

    if (!SettingsFileExists()) {
        ShowForm<frmSettings>();
        UnloadForm(this);
        return;
    }
    try {
        ReadSettings();
        loadServiceTerm();
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

void frmPGR::Timer1_Timer() {
    if (CounterHalted == 1)
        return;
    try {
        CDate(txtpgr);
        if (Settings.nd != 1) {
            writeCounts(CountRow::Standard);
        } else {
            const int weekday = Weekday(Date(), vbMonday);
            const QString dutyEnd = TodaysDutyEnd(Settings);
            txtpgr = EndOfServiceText(Settings);
            txtdsch = dutyEnd;
            // Both bounds are exclusive; there is no duty at the weekend.
            // A free day (a holiday or leave) has no duty, as a Saturday has none.
            const bool freeDay = TermCalendar.isFreeDay(qint64(Date()));
            const bool onDuty =
                weekday <= 5 && !freeDay && Time() > CDate(txtdstbeg) && Time() < CDate(txtdsch);
            if (onDuty) {
                // Every off-duty period gets counts from its own next start of duty.
                OffDutyShown = False;
                writeCounts(CountRow::Standard);
            } else if (OffDutyShown == False) {
                writeCounts(offDutyRow(weekday));
            }
            if (!freeDay && endOfServiceDayOrQuitQuestion(dutyEnd) == Flow::TickEnds)
                return;
            if (!freeDay && lastSecondsBeforeDutyEnd() == Flow::TickEnds)
                return;
        }
        writeCaptions();
        runOutCheck();
        reportDaysOutside();
        renewGreeting();
    } catch (const ProgramError& error) {
        CounterHalted = 1;
        ReportError(error.description(), QStringLiteral("#20"));
    }
}

// Fills the five count labels from the row's functions. A function that fails has
// reported it itself and shows 0 or nothing; the other counts are written all the same.
void frmPGR::writeCounts(CountRow row) {
    const DateValue end = CDate(txtpgr);
    std::array<QString, 5> texts;
    switch (row) {
    case CountRow::Standard:
        texts = {CountText(WeeksLeft(end)), CountText(DaysLeft(end)), CountText(HoursLeft(end)),
                 CountText(MinutesLeft(end)), CountText(SecondsLeft(end))};
        break;
    case CountRow::OffDutyMondayToThursday: {
        const DateValue start = CDate(txtdstbeg);
        texts = {CountText(WeeksLeft(end)), CountText(DaysLeftOffDuty(end)),
                 CountText(HoursLeftOffDuty(end, start)), CountText(MinutesLeftOffDuty(end, start)),
                 CountText(SecondsLeftOffDuty(end, start))};
        break;
    }
    case CountRow::OffDutyFriday: {
        const DateValue start = CDate(txtdstbeg);
        texts = {CountText(WeeksLeftWeekend(end)), CountText(DaysLeftFriday(end)),
                 CountText(HoursLeftFriday(end, start)), CountText(MinutesLeftFriday(end, start)),
                 CountText(SecondsLeftFriday(end, start))};
        break;
    }
    case CountRow::BeyondFreeDays: {
        const DateValue start = TermCalendar.nextDutyStart(Now(), CDate(txtdstbeg));
        texts = {CountText(WeeksLeftFrom(end, start)), CountText(DaysLeftFrom(end, start)),
                 CountText(HoursLeftFrom(end, start)), CountText(MinutesLeftFrom(end, start)),
                 CountText(SecondsLeftFrom(end, start))};
        break;
    }
    case CountRow::Weekend: {
        const DateValue start = CDate(txtdstbeg);
        texts = {CountText(WeeksLeftWeekend(end)), CountText(DaysLeftWeekend(end)),
                 CountText(HoursLeftWeekend(end, start)), CountText(MinutesLeftWeekend(end, start)),
                 CountText(SecondsLeftWeekend(end, start))};
        break;
    }
    }
    const std::array<QLabel*, 5> labels = {ui->LblWeek, ui->LblDay, ui->lblhours, ui->lblMinutes,
                                           ui->lblSeconds};
    for (std::size_t i = 0; i < labels.size(); ++i)
        labels[i]->setText(texts[i]);
}

// Which off-duty counts apply now: they count from the next start of duty.
frmPGR::CountRow frmPGR::offDutyRow(int weekday) const {
    if (TermCalendar.freeDayBeforeNextDutyStart(Now(), CDate(txtdstbeg)))
        return CountRow::BeyondFreeDays;
    if (weekday >= 6)
        return CountRow::Weekend;
    const DateValue dutyStart = CDate(txtdstbeg);
    if (Time() == dutyStart)
        return CountRow::Standard; // the next start of duty is this very second
    if (weekday == 5 && Time() > dutyStart)
        return CountRow::OffDutyFriday;
    return CountRow::OffDutyMondayToThursday; // also on a Friday before the start of duty
}

// On the end-of-service day: the window comes back and, by the display unit, the
// countdown window takes over. On other days: the end-of-duty question.
frmPGR::Flow frmPGR::endOfServiceDayOrQuitQuestion(const QString& dutyEnd) {
    if (Date() == CDate(Settings.Pgr)) {
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
    const bool weekday = Weekday(Date(), vbMonday) < 6;
    if (DateDiff(DateInterval::Seconds, Time(), CDate(txtdsch)) < 10 && QuitQuestionAsked == False &&
        weekday) {
        QuitQuestionAsked = True;
        if (MsgBox(quitQuestion, MsgStyle::YesNoQuestion) == MsgYes) {
            EndProgram();
            return Flow::TickEnds;
        }
    }
    return Flow::Continue;
}

// Eleven seconds before the end of duty the countdown window counts the last
// seconds, once a start-up; when it has already been shown the window only comes back.
frmPGR::Flow frmPGR::lastSecondsBeforeDutyEnd() {
    const qint64 secondsLeft = DateDiff(DateInterval::Seconds, Time(), CDate(txtdsch));
    if (secondsLeft <= 0 || secondsLeft >= 12 || DutyEndNoticeDone != False || CDate(Settings.Pgr) == Date())
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

// The caption the taskbar shows, and the same count for the tray.
void frmPGR::writeCaptions() {
    const QString remaining = remainingInChosenUnit();
    const QString endOfService = EndOfServiceCaption(Settings);
    setWindowTitle(isMinimized() ? remaining : QStringLiteral("Pilgrast Counter ") + endOfService);
    ShowCountOutside(remaining, endOfService);
}

// The count in the unit chosen for the taskbar, as the minimised window's caption shows it.
QString frmPGR::remainingInChosenUnit() const {
    switch (Settings.Anzeige) {
    case Unit::Minutes:
        return ui->lblMinutes->text() + QStringLiteral(" Minuten");
    case Unit::Seconds:
        return ui->lblSeconds->text() + QStringLiteral(" Sekunden");
    case Unit::Hours:
        return ui->lblhours->text() + QStringLiteral(" Stunden");
    default:
        return ui->LblDay->text() + QStringLiteral(" Tage");
    }
}

// Once every count has run out, all four show 0 (the weeks keep their count).
void frmPGR::runOutCheck() {
    const std::array<QLabel*, 4> labels = {ui->LblDay, ui->lblhours, ui->lblMinutes, ui->lblSeconds};
    for (const QLabel* label : labels)
        if (captionNumber(label) > 0)
            return;
    for (QLabel* label : labels)
        label->setText(QStringLiteral("0"));
}

// The days count for the dock and the notifications, as the label shows it; a failed
// count (an empty label) tells them nothing new.
void frmPGR::reportDaysOutside() {
    bool isNumber = false;
    const qint64 days = ui->LblDay->text().toLongLong(&isNumber);
    if (isNumber)
        ShowDaysOutside(std::max<qint64>(days, 0));
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
