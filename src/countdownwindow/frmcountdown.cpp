// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmcountdown.h"

#include "counterview/counterview.h"
#include "services/countdisplay.h"
#include "services/errortrap.h"
#include "services/programerror.h"
#include "settings/declarations.h"
#include "timecalc/functions.h"
#include "timecalc/servicetimes.h"
#include "ui_frmcountdown.h"
#include "widgets/labelstyle.h"

#include <QPainter>

namespace {

QPixmap stopwatchPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.setPen(QPen(Qt::black, unit));
    painter.setBrush(Qt::black);
    painter.drawRect(QRectF(6.5 * unit, 0.5 * unit, 3 * unit, 1.5 * unit)); // the crown
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(1.5 * unit, 2.5 * unit, 13 * unit, 13 * unit));
    painter.setPen(QPen(QColor(255, 0, 0), 1.5 * unit, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(8 * unit, 9 * unit), QPointF(8 * unit, 4.5 * unit));
    painter.drawLine(QPointF(8 * unit, 9 * unit), QPointF(11 * unit, 11 * unit));
    return pixmap;
}

} // namespace

QIcon CountdownIcon() {
    QIcon icon;
    icon.addPixmap(stopwatchPixmap(16));
    icon.addPixmap(stopwatchPixmap(32));
    return icon;
}

frmCountdown::frmCountdown(QWidget* parent)
    : Form<QWidget>(parent), ui(std::make_unique<Ui::frmCountdown>()), m_timer(this) {
    ui->setupUi(this);
    setWindowIcon(CountdownIcon());
    StyleLabels({ui->lblTime}, Face::Serif, 72, true, HighlightColour());
    StyleLabels({ui->lblEinh}, Face::Sans, 13.8, false, HighlightColour());
    connect(&m_timer, &SecondTimer::tick, this, &frmCountdown::Timer1_Timer);
}

frmCountdown::~frmCountdown() = default;

void frmCountdown::Form_Load() {
    try {
        CountdownUnit = Settings.Anzeige;
        CentreOnScreen(this);
    } catch (const ProgramError& error) {
        ReportError(error.description(), QStringLiteral("#23"));
    }
    // Only now: no refresh may run while start-up's message box is open.
    m_timer.start();
    CountWindowsChanged();
}

void frmCountdown::Form_Unload() {
    m_timer.stop();
    CountWindowsChanged();
    ShowMainWindow();
    // After the main window's start-up, which clears both.
    AutoCountdownDone = True;
    CountdownAtDutyEnd = 0;
}

void frmCountdown::Timer1_Timer() {
    if (CounterHalted == 1)
        return;
    // A remaining-time function that fails reports it itself and gives 0; the
    // window goes on counting what it can, but such a 0 never moves the unit on.
    try {
        const DateValue target = CDate(EndOfServiceText(Settings));
        const DateValue dutyEnd = DutyEndCountedTo();
        const FailureWatch minutesFailure;
        const qint32 minutesLeft = MinutesLeft(target);
        const bool underAnHour = !minutesFailure.failed() && minutesLeft < 60;
        const FailureWatch secondsFailure;
        const qint32 secondsLeft = SecondsLeft(target);
        const bool lastTwoMinutes = !secondsFailure.failed() && secondsLeft <= 120;
        if (CountdownAtDutyEnd == 1)
            CountdownUnit = Unit::Seconds;

        // The unit only ever gets finer; the switch shows "0" beside the coarser unit.
        switch (CountdownUnit) {
        case Unit::Hours:
            showCount(HoursLeft(target), QStringLiteral("Stunden"));
            if (underAnHour) {
                CountdownUnit = Unit::Minutes;
                ui->lblTime->setText(QStringLiteral("0"));
            }
            break;
        case Unit::Minutes:
            showCount(minutesLeft, QStringLiteral("Minuten"));
            if (lastTwoMinutes) {
                CountdownUnit = Unit::Seconds;
                ui->lblTime->setText(QStringLiteral("0"));
            }
            break;
        case Unit::Seconds:
            if (CountdownAtDutyEnd == 1) {
                const qint32 toDutyEnd = ToInt32(DateDiff(DateInterval::Seconds, Now(), dutyEnd));
                ui->lblTime->setText(CountText(toDutyEnd));
                if (toDutyEnd < 0)
                    showClosingWords(QStringLiteral("Schluß"), QStringLiteral("für Heute!"));
            } else {
                showCount(secondsLeft, QStringLiteral("Sekunden"));
                if (secondsLeft < 0)
                    showClosingWords(QStringLiteral("Das war's !"), QStringLiteral("und Tschüß......"));
            }
            break;
        default:
            break; // days or an unknown unit: nothing to count down
        }
        ShowCountOutside(ReportOf(shownFigure(), std::nullopt, CountPhase::Running));
    } catch (const ProgramError& error) {
        CounterHalted = 1;
        ReportError(error.description(), QStringLiteral("#22"));
    }
}

// The figure with its unit; the seconds to the end of duty show no unit in the window.
QString frmCountdown::shownFigure() const {
    const QString unit = ui->lblEinh->text().isEmpty() && CountdownAtDutyEnd == 1
                             ? QStringLiteral("Sekunden bis zum Dienstschluß")
                             : ui->lblEinh->text();
    return (ui->lblTime->text() + QLatin1Char(' ') + unit).trimmed();
}

void frmCountdown::showCount(qint64 count, const QString& unit) {
    ui->lblTime->setText(CountText(count));
    ui->lblEinh->setText(unit);
}

void frmCountdown::showClosingWords(const QString& first, const QString& second) {
    ui->lblTime->setText(first);
    ui->lblEinh->setText(second);
}
