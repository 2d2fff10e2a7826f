// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmserviceterm.h"

#include "helpwindow/help.h"
#include "mainwindow/flagicon.h"
#include "services/errortrap.h"
#include "services/messages.h"
#include "services/programerror.h"
#include "serviceterm/holidays.h"
#include "serviceterm/servicecalendar.h"
#include "settings/declarations.h"
#include "timecalc/servicetimes.h"
#include "widgets/fittext.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// "Do 06.05.2027"
QString dayCaption(qint64 day) {
    return QLocale(QLocale::German).toString(CalendarDate(day), QStringLiteral("ddd dd.MM.yyyy"));
}

QString freeDaysCaption(qsizetype count) {
    if (count == 0)
        return QStringLiteral("keine freien Tage mehr");
    return count == 1 ? QStringLiteral("noch 1 freier Tag:")
                      : QStringLiteral("noch %1 freie Tage:").arg(count);
}

// The end of service as a day, when the settings hold one.
std::optional<QDate> endOfServiceDay() {
    if (!IsDate(Settings.Pgr))
        return std::nullopt;
    return CalendarDate(qint64(CDate(Settings.Pgr)));
}

// Fails the check: its message, and the focus in the box to mend.
bool refuse(const QString& message, QWidget* box) {
    MsgBox(message, MsgStyle::Exclamation);
    box->setFocus();
    return false;
}

} // namespace

frmServiceTerm::frmServiceTerm(QWidget* parent) : Form<QWidget>(parent), m_timer(this) {
    setWindowTitle(QStringLiteral("Dienstzeit"));
    setWindowIcon(FlagIcon());
    auto* layout = new QVBoxLayout(this);
    auto* parts = new QHBoxLayout;
    parts->addWidget(buildEntryPart());
    parts->addWidget(buildStatePart(), 1);
    layout->addLayout(parts);

    auto* buttons = new QHBoxLayout;
    auto* cmdsave = new QPushButton(QStringLiteral("&speichern"));
    auto* cmdclose = new QPushButton(QStringLiteral("s&chließen"));
    auto* cmdhelp = new QPushButton(QStringLiteral("&Hilfe"));
    buttons->addWidget(cmdsave);
    buttons->addWidget(cmdclose);
    buttons->addStretch();
    buttons->addWidget(cmdhelp);
    layout->addLayout(buttons);

    connect(cmdsave, &QPushButton::clicked, this, &frmServiceTerm::cmdsave_Click);
    connect(cmdclose, &QPushButton::clicked, this, &frmServiceTerm::cmdclose_Click);
    connect(cmdhelp, &QPushButton::clicked, this, [this] { PressF1(this); });
    connect(cmdadd, &QPushButton::clicked, this, &frmServiceTerm::cmdadd_Click);
    connect(cmdremove, &QPushButton::clicked, this, &frmServiceTerm::cmdremove_Click);
    connect(txtUrlaub, &QLineEdit::returnPressed, this, &frmServiceTerm::cmdadd_Click);
    connect(&m_timer, &SecondTimer::tick, this, &frmServiceTerm::Timer1_Timer);
}

QWidget* frmServiceTerm::buildEntryPart() {
    auto* part = new QGroupBox(QStringLiteral("Ihre Dienstzeit"));
    auto* form = new QFormLayout(part);
    txtBeginn = new QLineEdit;
    txtBeginn->setObjectName(QStringLiteral("txtBeginn"));
    txtBeginn->setPlaceholderText(QStringLiteral("T.M.JJJJ"));
    cboLand = new QComboBox;
    cboLand->setObjectName(QStringLiteral("cboLand"));
    for (const HolidayRegion& region : HolidayRegions())
        cboLand->addItem(region.name, region.code);
    lstUrlaub = new QListWidget;
    lstUrlaub->setObjectName(QStringLiteral("lstUrlaub"));
    txtUrlaub = new QLineEdit;
    txtUrlaub->setObjectName(QStringLiteral("txtUrlaub"));
    txtUrlaub->setPlaceholderText(QStringLiteral("T.M.JJJJ-T.M.JJJJ"));
    // Room for a whole range, whatever the style's frame takes.
    txtUrlaub->setMinimumWidth(LineEditSizeFor(txtUrlaub, QStringLiteral("00.00.0000-00.00.0000")).width());
    cmdadd = new QPushButton(QStringLiteral("hin&zufügen"));
    cmdremove = new QPushButton(QStringLiteral("ent&fernen"));
    auto* leaveEntry = new QHBoxLayout;
    leaveEntry->addWidget(txtUrlaub, 1);
    leaveEntry->addWidget(cmdadd);
    leaveEntry->addWidget(cmdremove);

    form->addRow(QStringLiteral("&Dienstbeginn:"), txtBeginn);
    form->addRow(QStringLiteral("&Bundesland:"), cboLand);
    form->addRow(QStringLiteral("&Urlaub:"), lstUrlaub);
    form->addRow(QString(), leaveEntry);
    form->addRow(QString(), new QLabel(QStringLiteral("Feiertage nur eines Teils des Landes\n"
                                                      "bitte als Urlaub eintragen.")));
    return part;
}

QWidget* frmServiceTerm::buildStatePart() {
    auto* part = new QGroupBox(QStringLiteral("Stand"));
    auto* column = new QVBoxLayout(part);
    lblShare = new QLabel;
    lblShare->setObjectName(QStringLiteral("lblShare"));
    QFont large = lblShare->font();
    large.setPointSizeF(large.pointSizeF() * 1.5);
    large.setBold(true);
    lblShare->setFont(large);
    barShare = new QProgressBar;
    barShare->setObjectName(QStringLiteral("barShare"));
    barShare->setRange(0, 1000);
    barShare->setTextVisible(false);
    lblDutyDays = new QLabel;
    lblDutyDays->setObjectName(QStringLiteral("lblDutyDays"));
    lblFreeDays = new QLabel;
    lblFreeDays->setObjectName(QStringLiteral("lblFreeDays"));
    lstFreeDays = new QListWidget;
    lstFreeDays->setObjectName(QStringLiteral("lstFreeDays"));
    lstMilestones = new QListWidget;
    lstMilestones->setObjectName(QStringLiteral("lstMilestones"));
    column->addWidget(lblShare);
    column->addWidget(barShare);
    column->addWidget(lblDutyDays);
    column->addWidget(lblFreeDays);
    column->addWidget(lstFreeDays, 1);
    column->addWidget(new QLabel(QStringLiteral("Meilensteine:")));
    column->addWidget(lstMilestones, 1);
    return part;
}

int frmServiceTerm::helpTopic() const {
    return HelpTopic::ServiceTerm;
}

void frmServiceTerm::Form_Load() {
    txtBeginn->setText(Term.start.isValid() ? DayText(Term.start) : QString());
    cboLand->setCurrentIndex(std::max(0, cboLand->findData(Term.region)));
    showLeave(Term.leave);
    Timer1_Timer();
    // Sized for the texts it shows, so nothing is cut in any style.
    resize(sizeHint().expandedTo(QSize(620, 400)));
    CentreOnScreen(this);
    m_timer.start();
    txtBeginn->setFocus();
}

void frmServiceTerm::Form_Unload() {
    m_timer.stop();
}

void frmServiceTerm::Timer1_Timer() {
    const DateValue now = Now();
    const std::optional<double> share = TermCalendar.shareDone(now);
    lblShare->setText(share ? ShareDoneText(*share) : QStringLiteral("Dienstbeginn nicht eingetragen"));
    barShare->setValue(share ? int(*share * 1000) : 0);
    lblDutyDays->setText(DutyDaysText(TermCalendar.dutyDaysLeft(now)));
    const qint64 today = qint64(Date());
    if (today != m_listsDay)
        showDayLists(today);
}

// The free days ahead and the milestones change only with the day.
void frmServiceTerm::showDayLists(qint64 today) {
    m_listsDay = today;
    const QList<FreeDay> freeDays = TermCalendar.freeDaysFrom(today);
    lblFreeDays->setText(freeDaysCaption(freeDays.size()));
    lstFreeDays->clear();
    for (const FreeDay& freeDay : freeDays)
        lstFreeDays->addItem(QStringLiteral("%1  %2").arg(dayCaption(freeDay.day), freeDay.name));
    lstMilestones->clear();
    for (const Milestone& milestone : TermCalendar.milestones()) {
        const QString when = milestone.day < today    ? QStringLiteral("✓ ")
                             : milestone.day == today ? QStringLiteral("heute: ")
                                                      : QString();
        auto* item = new QListWidgetItem(
            QStringLiteral("%1%2  %3").arg(when, milestone.name, dayCaption(milestone.day)));
        if (milestone.day < today)
            item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
        lstMilestones->addItem(item);
    }
}

void frmServiceTerm::showLeave(const QList<DayRange>& leave) {
    m_leave = leave;
    std::sort(m_leave.begin(), m_leave.end(),
              [](const DayRange& a, const DayRange& b) { return a.first < b.first; });
    lstUrlaub->clear();
    for (const DayRange& period : m_leave)
        lstUrlaub->addItem(DayRangeText(period));
}

void frmServiceTerm::cmdadd_Click() {
    if (addEnteredLeave())
        txtUrlaub->setFocus();
}

// Takes the leave box's day or range into the list; an empty box adds nothing.
bool frmServiceTerm::addEnteredLeave() {
    const QString text = txtUrlaub->text().trimmed();
    if (text.isEmpty())
        return true;
    const QStringList ends = text.split(QLatin1Char('-'));
    if (ends.size() > 2 ||
        !std::all_of(ends.begin(), ends.end(), [](const QString& end) { return ReadDay(end); }))
        return refuse(QStringLiteral("Datum ungültig!"), txtUrlaub);
    const std::optional<DayRange> period = ReadDayRange(text);
    if (!period)
        return refuse(QStringLiteral("Der Urlaub endet vor seinem ersten Tag!"), txtUrlaub);
    QList<DayRange> leave = m_leave;
    if (!leave.contains(*period))
        leave.append(*period);
    showLeave(leave);
    txtUrlaub->clear();
    return true;
}

void frmServiceTerm::cmdremove_Click() {
    const int row = lstUrlaub->currentRow();
    if (row < 0 || row >= m_leave.size())
        return;
    QList<DayRange> leave = m_leave;
    leave.removeAt(row);
    showLeave(leave);
    lstUrlaub->setCurrentRow(std::min(row, int(m_leave.size()) - 1));
}

bool frmServiceTerm::enteredStartPasses() {
    const QString text = txtBeginn->text().trimmed();
    if (text.isEmpty())
        return true;
    const std::optional<QDate> start = ReadDay(text);
    if (!start)
        return refuse(QStringLiteral("Datum ungültig!"), txtBeginn);
    const std::optional<QDate> end = endOfServiceDay();
    if (end && *start > *end)
        return refuse(QStringLiteral("Der Dienstbeginn liegt nach dem Pilgrast!"), txtBeginn);
    return true;
}

ServiceTerm frmServiceTerm::enteredTerm() const {
    ServiceTerm term;
    term.start = ReadDay(txtBeginn->text()).value_or(QDate());
    term.region = cboLand->currentData().toString();
    term.leave = m_leave;
    return term;
}

void frmServiceTerm::cmdsave_Click() {
    if (!enteredStartPasses() || !addEnteredLeave())
        return;
    try {
        WriteServiceTerm(enteredTerm());
    } catch (const ProgramError& error) {
        ReportError(error.description(), QStringLiteral("#26"));
        return;
    }
    RebuildTermCalendar();
    OffDutyShown = False; // counts that stand off duty are worked out anew at the next tick
    m_listsDay = -1;
    Timer1_Timer();
}

void frmServiceTerm::cmdclose_Click() {
    UnloadForm(this);
}
