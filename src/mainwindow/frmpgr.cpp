#include "frmpgr.h"

#include "aboutbox/info.h"
#include "countdownwindow/frmcountdown.h"
#include "flagicon.h"
#include "services/errortrap.h"
#include "services/labelstyle.h"
#include "services/messages.h"
#include "services/programend.h"
#include "services/programerror.h"
#include "settings/declarations.h"
#include "settings/fixedtext.h"
#include "settings/settingsfile.h"
#include "settingsdialog/frmsettings.h"
#include "timecalc/functions.h"
#include "timecalc/servicetimes.h"
#include "ui_frmpgr.h"

#include <QApplication>
#include <QMenuBar>
#include <array>

namespace {

const QString quitQuestion = QStringLiteral("Für Heute ist Dienstschluß! Möchten Sie den Counter beenden?");
const QString countdownRefusal = QStringLiteral(
    "Countdown steht nicht zur Verfügung! - Sie haben die Einstellung 'Tage' in der Taskleiste "
    "gewählt! Um den Countdown anzuzeigen, müssen Sie Stunden , Minuten oder Sekunden auswählen!");

// A label's caption as a number; anything else is an error of the refresh.
qint64 captionNumber(const QLabel* label) {
    bool ok = false;
    const qint64 value = label->text().toLongLong(&ok);
    if (!ok)
        throw ProgramError(QStringLiteral("Die Anzeige „%1“ ist keine Zahl.").arg(label->text()));
    return value;
}

} // namespace

frmPGR::frmPGR(QWidget* parent) : Form<QMainWindow>(parent), ui(std::make_unique<Ui::frmPGR>()) {
    ui->setupUi(this);
    setWindowIcon(FlagIcon());
    StyleLabels({ui->lbldaytime, ui->lblwho}, Face::Sans, 24, true, HighlightColour());
    StyleLabels({ui->Label7, ui->LblWeek, ui->Label9, ui->Label1, ui->Label6, ui->Label8}, Face::Sans, 13.8,
                false, HighlightColour());
    StyleLabels({ui->Label2, ui->LblDay, ui->Label3, ui->lblhours, ui->Label4, ui->lblMinutes, ui->Label5,
                 ui->lblSeconds},
                Face::Sans, 24, true, PureRed());
    // The layout gives the client area; the menu bar comes on top of it.
    resize(width(), height() + menuBar()->sizeHint().height());
    connect(&m_timer, &SecondTimer::tick, this, &frmPGR::Timer1_Timer);
    connect(ui->menusettings, &QAction::triggered, this, &frmPGR::menusettings_Click);
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
    m_timer.start();
    try {
        ReadSettings();
        renewGreeting();
        ui->lblwho->setText(TrimBlanks(Settings.Dstgrd) + QLatin1Char(' ') + TrimBlanks(Settings.Vorname) +
                            QLatin1Char(' ') + TrimBlanks(Settings.Name));
        txtpgr = EndOfServiceText(Settings);
        txtdsch = TodaysDutyEnd(Settings);
        txtdstbeg = Settings.DstBeg;
    } catch (const ProgramError& error) {
        ReportError(error.description(), QStringLiteral("#21"));
    }
}

void frmPGR::Form_Unload() {
    m_timer.stop();
    OffDutyShown = False;
}

void frmPGR::Timer1_Timer() {
    if (CounterHalted == 1)
        return;
    try {
        CDate(txtpgr);
        if (Settings.nd != 1) {
            if (!writeCounts(CountRow::Standard))
                return;
        } else {
            const int weekday = Weekday(Date(), vbMonday);
            const QString dutyEnd = TodaysDutyEnd(Settings);
            txtpgr = EndOfServiceText(Settings);
            txtdsch = dutyEnd;
            // Both bounds are exclusive; there is no duty at the weekend.
            const bool onDuty = weekday <= 5 && Time() > CDate(txtdstbeg) && Time() < CDate(txtdsch);
            if (onDuty) {
                // Every off-duty period gets counts from its own next start of duty.
                OffDutyShown = False;
                if (!writeCounts(CountRow::Standard))
                    return;
            } else if (OffDutyShown == False) {
                if (!writeCounts(offDutyRow(weekday)))
                    return;
            }
            if (endOfServiceDayOrQuitQuestion(dutyEnd) == Flow::TickEnds)
                return;
            if (lastSecondsBeforeDutyEnd() == Flow::TickEnds)
                return;
        }
        writeCaption();
        runOutCheck();
        renewGreeting();
    } catch (const ProgramError& error) {
        ReportError(error.description(), QStringLiteral("#20"));
        CounterHalted = 1;
    }
}

// Fills the five count labels from the row's functions. When one of them reports
// an error the refresh halts and the labels keep what they showed.
bool frmPGR::writeCounts(CountRow row) {
    using Count = std::function<QString()>;
    const auto end = [this] { return CDate(txtpgr); };
    const auto start = [this] { return CDate(txtdstbeg); };
    const auto plainWeeks = [=] { return CountText(WeeksLeft(end())); };
    std::array<Count, 5> counts;
    switch (row) {
    case CountRow::Standard:
        counts = {plainWeeks, [=] { return CountText(DaysLeft(end())); },
                  [=] { return CountText(HoursLeft(end())); }, [=] { return CountText(MinutesLeft(end())); },
                  [=] { return CountText(SecondsLeft(end())); }};
        break;
    case CountRow::OffDutyMondayToThursday:
        counts = {plainWeeks, [=] { return CountText(DaysLeftOffDuty(end())); },
                  [=] { return CountText(HoursLeftOffDuty(end(), start())); },
                  [=] { return CountText(MinutesLeftOffDuty(end(), start())); },
                  [=] { return CountText(SecondsLeftOffDuty(end(), start())); }};
        break;
    case CountRow::OffDutyFriday:
        counts = {[=] { return CountText(WeeksLeftWeekend(end())); },
                  [=] { return CountText(DaysLeftFriday(end())); },
                  [=] { return CountText(HoursLeftFriday(end(), start())); },
                  [=] { return CountText(MinutesLeftFriday(end(), start())); },
                  [=] { return CountText(SecondsLeftFriday(end(), start())); }};
        break;
    case CountRow::Weekend:
        counts = {[=] { return CountText(WeeksLeftWeekend(end())); },
                  [=] { return CountText(DaysLeftWeekend(end())); },
                  [=] { return CountText(HoursLeftWeekend(end(), start())); },
                  [=] { return CountText(MinutesLeftWeekend(end(), start())); },
                  [=] { return CountText(SecondsLeftWeekend(end(), start())); }};
        break;
    }

    const ErrorWatch functionErrors;
    std::array<QString, 5> texts;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        texts[i] = counts[i]();
        if (HaltIfErrorReported(functionErrors))
            return false;
    }
    const std::array<QLabel*, 5> labels = {ui->LblWeek, ui->LblDay, ui->lblhours, ui->lblMinutes,
                                           ui->lblSeconds};
    for (std::size_t i = 0; i < labels.size(); ++i)
        labels[i]->setText(texts[i]);
    return true;
}

// Which off-duty counts apply now: they count from the next start of duty.
frmPGR::CountRow frmPGR::offDutyRow(int weekday) const {
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

void frmPGR::writeCaption() {
    if (!isMinimized()) {
        setWindowTitle(QStringLiteral("Pilgrast Counter ") + EndOfServiceText(Settings) +
                       QStringLiteral(" Uhr"));
        return;
    }
    switch (Settings.Anzeige) {
    case Unit::Minutes:
        setWindowTitle(ui->lblMinutes->text() + QStringLiteral(" Minuten"));
        break;
    case Unit::Seconds:
        setWindowTitle(ui->lblSeconds->text() + QStringLiteral(" Sekunden"));
        break;
    case Unit::Hours:
        setWindowTitle(ui->lblhours->text() + QStringLiteral(" Stunden"));
        break;
    default:
        setWindowTitle(ui->LblDay->text() + QStringLiteral(" Tage"));
        break;
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
