// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmserviceterm.h"

#include "calendarfile/calendarexport.h"
#include "counterview/counterview.h"
#include "helpwindow/help.h"
#include "phonecode/phonecode.h"
#include "placeofduty.h"
#include "services/errortrap.h"
#include "services/messages.h"
#include "services/programerror.h"
#include "serviceterm/termoverview.h"
#include "settings/declarations.h"
#include "termcalendar/tapemeasure.h"
#include "termcalendar/termpicture.h"
#include "widgets/entrylist.h"
#include "widgets/fittext.h"
#include "widgets/labelstyle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>

frmServiceTerm::~frmServiceTerm() {
    RemoveCountDisplay(this);
    // A box that loses the focus while the window goes would edit a term already gone.
    for (QLineEdit* box : {txtBeginn, txtAnspruch})
        box->disconnect(this);
}

int frmServiceTerm::helpTopic() const {
    return HelpTopic::ServiceTerm;
}

void frmServiceTerm::Form_Load() {
    m_term = Term;
    txtBeginn->setText(Term.start.isValid() ? DayText(Term.start) : QString());
    m_place->setPlace(Term.region, Term.localHolidays);
    cboDienstart->blockSignals(true);
    cboDienstart->setCurrentIndex(std::max(0, cboDienstart->findData(int(Term.kind))));
    cboDienstart->blockSignals(false);
    txtAnspruch->setText(Term.leaveEntitlement ? LeaveDaysNumber(*Term.leaveEntitlement) : QString());
    showCalendarFile();
    termEdited();
    std::optional<qint64> daysLeft;
    try {
        daysLeft = FreshCounterView().report.days;
    } catch (const ProgramError&) {
        // Without counts the tape waits for the counter's next second.
    }
    refresh(daysLeft);
    m_calendar->setCurrent(CalendarDate(qint64(Date())));
    m_calendar->setFocus();
    resize(preferredSize());
    PlaceBeside(this, FindMainWindow());
    AddCountDisplay(this);
    // Scrolled to today once the window has its size.
    QTimer::singleShot(
        0, this, [this] { scrollToDay(m_calendar->focusedDay(), m_calendarArea->viewport()->height() / 3); });
}

// The day in sight, with the margin above and below it, in the calendar and, where the window
// is too small for the calendar, in the page.
void frmServiceTerm::scrollToDay(QDate day, int margin) {
    // The scroll ranges follow the layouts, which settle in posted events.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QRect cell = m_calendar->dayRect(day);
    m_calendarArea->ensureVisible(cell.center().x(), cell.center().y(), cell.width(), margin);
    const QPoint inPage = m_calendar->mapTo(m_calendarPage->widget(), cell.center());
    m_calendarPage->ensureVisible(inPage.x(), inPage.y(), cell.width(), cell.height());
}

// Wide enough for a quarter of the calendar and for every entry, without scrolling,
// where the screen allows; PlaceBeside shrinks it to the screen otherwise.
QSize frmServiceTerm::preferredSize() const {
    // Each page with room for a vertical scroll bar, which a low screen brings.
    const int pages = std::max(m_entriesPage->sizeHint().width(), m_calendar->sizeHint().width()) +
                      style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int chrome = sizeHint().width() - m_tabs->currentWidget()->sizeHint().width();
    return QSize(std::max(pages + chrome, sizeHint().width()), std::max(sizeHint().height(), 600));
}

void frmServiceTerm::Form_QueryUnload(bool& cancel) {
    if (!holdsUnsavedChanges())
        return;
    switch (MsgBox(QStringLiteral("Änderungen speichern?"), MsgStyle::YesNoCancelQuestion)) {
    case MsgYes:
        cancel = !saveTerm();
        break;
    case MsgNo:
        break;
    default:
        cancel = true;
    }
}

void frmServiceTerm::Form_Unload() {
    RemoveCountDisplay(this);
}

void frmServiceTerm::showCount(const CountReport& report) {
    refresh(report.days ? report.days : m_tape->daysLeft());
}

// The figures of what is entered at this second; the lists only when the day changed.
void frmServiceTerm::refresh(std::optional<qint64> daysLeft) {
    const DateValue now = Now();
    const std::optional<double> share = m_preview.shareDone(now);
    lblShare->setText(share ? ShareDoneText(*share) : QStringLiteral("Erster Diensttag nicht eingetragen"));
    barShare->setValue(share ? ShareTenths(*share) : 0);
    lblDutyDays->setText(DutyDaysText(m_preview.dutyDaysLeft(now)));
    m_tape->setDaysLeft(daysLeft);
    m_calendar->setNow(now);
    m_legend->setNow(now);
    const qint64 today = qint64(Date());
    if (today != m_listsDay)
        showDayLists(today);
}

void frmServiceTerm::showDayLists(qint64 today) {
    m_listsDay = today;
    const TermOverview overview = OverviewOn(m_preview, m_term, today);
    lblFreeDays->setText(overview.freeDaysCaption);
    lstFreeDays->clear();
    lstFreeDays->addItems(overview.freeDays);
    lstMilestones->clear();
    for (const OverviewLine& line : overview.dates) {
        auto* item = new QListWidgetItem(line.text);
        if (line.done)
            item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
        lstMilestones->addItem(item);
    }
    lblNextDate->setText(overview.nextDate);
    showLine(lblNextLeave, overview.nextLeave);
    showLine(lblLeaveOutside, overview.leaveOutside);
    showLeaveAccount();
}

// The account stands with the leave's list and under the calendar, where leave is planned;
// an entitlement that is none says so there at once, not only when saving.
void frmServiceTerm::showLeaveAccount() {
    const LeaveLine line = LeaveAccountLine(m_preview, txtAnspruch->text());
    for (QLabel* label : {lblLeaveAccount, lblCalendarLeave}) {
        showLine(label, line.text);
        label->setPalette(line.warning ? warningPalette() : palette());
    }
}

void frmServiceTerm::showLine(QLabel* label, const QString& text) {
    label->setText(text);
    label->setVisible(!text.isEmpty());
}

void frmServiceTerm::showEntries() {
    m_leaveList->showEntries(EntryTexts(m_term, TermList::Leave));
    m_dutyList->showEntries(EntryTexts(m_term, TermList::Duty));
    m_daysOffList->showEntries(EntryTexts(m_term, TermList::DaysOff));
    m_ownDatesList->showEntries(EntryTexts(m_term, TermList::OwnDates));
}

// What is entered shows at once: the lists, the calendar and the figures.
void frmServiceTerm::termEdited() {
    showEntries();
    m_preview.build(enteredTerm(), Settings);
    const qint64 today = qint64(Date());
    m_calendar->setCalendar(&m_preview, CalendarDate(std::min(m_preview.startDay().value_or(today), today)),
                            CalendarDate(m_preview.endDay().value_or(today)));
    m_listsDay = -1;
    lblCode->setPixmap(QPixmap::fromImage(EndOfServiceCode(m_preview, 4)));
    showProposal();
    refresh(m_tape->daysLeft());
}

// The leave the rules give, while no entitlement is entered.
std::optional<LeaveProposal> frmServiceTerm::proposal() const {
    const std::optional<qint64> first = m_preview.startDay();
    const std::optional<qint64> last = m_preview.endDay();
    if (!first || !last || !txtAnspruch->text().trimmed().isEmpty())
        return std::nullopt;
    return ProposedLeave(ServiceKind(cboDienstart->currentData().toInt()), CalendarDate(*first),
                         CalendarDate(*last));
}

void frmServiceTerm::showProposal() {
    const std::optional<LeaveProposal> proposed = proposal();
    lblProposal->setText(proposed ? QStringLiteral("Vorschlag: ") + proposed->rule : QString());
    cmdProposal->setVisible(proposed.has_value());
}

void frmServiceTerm::cmdProposal_Click() {
    if (const std::optional<LeaveProposal> proposed = proposal()) {
        txtAnspruch->setText(LeaveDaysNumber(proposed->days));
        termEdited();
    }
}

// The window's colours with the text in a warning red that keeps AA contrast.
QPalette frmServiceTerm::warningPalette() const {
    QPalette warning = palette();
    warning.setColor(QPalette::WindowText,
                     ReadableShade(QColor(200, 0, 0), warning.color(QPalette::Window), 4.5));
    return warning;
}

bool frmServiceTerm::refuse(const QString& message, QWidget* box) {
    MsgBox(message, MsgStyle::Exclamation);
    for (int tab = 0; tab < m_tabs->count(); ++tab)
        if (m_tabs->widget(tab)->isAncestorOf(box))
            m_tabs->setCurrentIndex(tab);
    box->setFocus();
    return false;
}

// Takes what the list's box holds into the term; an empty box adds nothing. What is no entry is
// refused with its cause, the text kept in the box to mend.
bool frmServiceTerm::addEntry(EntryList* list, TermList kind) {
    if (!list->holdsTyping())
        return true;
    if (const std::optional<TermEntryRefusal> refusal =
            AddTermEntry(m_term, kind, list->enteredText(), list->enteredName()))
        return refuse(refusal->problem, refusal->inName ? list->nameBox() : list->entryBox());
    list->clearEntry();
    termEdited();
    return true;
}

// Planning on the calendar: the days chosen become leave, days off, duty or an own date, or are cleared.
void frmServiceTerm::plan(PlanAction action, const DayRange& days) {
    // Leave and days off count only from Monday to Friday: a weekend alone takes none.
    const bool weekendOnly =
        days.first.daysTo(days.last) < 2 && days.first.dayOfWeek() >= 6 && days.last.dayOfWeek() >= 6;
    if ((action == PlanAction::Leave || action == PlanAction::DayOff) && weekendOnly) {
        MsgBox(QStringLiteral("%1 ist Wochenende und ohnehin dienstfrei: nichts eingetragen.")
                   .arg(DayRangeText(days)),
               MsgStyle::Information);
        return;
    }
    switch (action) {
    case PlanAction::Leave:
        AddLeave(m_term, days);
        break;
    case PlanAction::DayOff:
        AddDaysOff(m_term, days);
        break;
    case PlanAction::Duty:
        AddDuty(m_term, {days.first, days.last, {}, {}});
        break;
    case PlanAction::OwnDate: {
        const std::optional<QString> name =
            InputBox(QStringLiteral("Name des Termins am %1:").arg(DayRangeText(days)));
        if (!name || name->trimmed().isEmpty())
            return;
        AddOwnDate(m_term, {days, name->trimmed()});
        break;
    }
    case PlanAction::Clear:
        ClearDays(m_term, days);
        break;
    }
    termEdited();
}

bool frmServiceTerm::enteredStartPasses() {
    const QString text = txtBeginn->text().trimmed();
    if (text.isEmpty())
        return true;
    const std::optional<QDate> start = ReadDay(text);
    if (!start)
        return refuse(
            QStringLiteral("Datum ungültig: „%1“ als erster Diensttag – einzutragen als T.M.JJJJ.").arg(text),
            txtBeginn);
    if (IsDate(Settings.Pgr) && *start > CalendarDate(qint64(CDate(Settings.Pgr))))
        return refuse(QStringLiteral("Der erste Diensttag liegt nach dem Pilgrast!"), txtBeginn);
    return true;
}

bool frmServiceTerm::enteredEntitlementPasses() {
    const QString text = txtAnspruch->text().trimmed();
    if (text.isEmpty() || ReadLeaveEntitlement(text))
        return true;
    return refuse(
        QStringLiteral("Der Urlaubsanspruch ist eine Zahl von 0 bis 999 in ganzen oder halben Tagen "
                       "(z. B. 27,5)!"),
        txtAnspruch);
}

// What is typed in the boxes and not yet added is taken with the save.
bool frmServiceTerm::typedEntriesTaken() {
    return addEntry(m_leaveList, TermList::Leave) && addEntry(m_dutyList, TermList::Duty) &&
           addEntry(m_daysOffList, TermList::DaysOff) && addEntry(m_ownDatesList, TermList::OwnDates);
}

ServiceTerm frmServiceTerm::enteredTerm() const {
    ServiceTerm term = m_term;
    term.start = ReadDay(txtBeginn->text()).value_or(QDate());
    term.region = m_place->regionCode();
    term.localHolidays = m_place->localDays();
    term.kind = ServiceKind(cboDienstart->currentData().toInt());
    term.leaveEntitlement = ReadLeaveEntitlement(txtAnspruch->text());
    return term;
}

bool frmServiceTerm::holdsUnsavedChanges() const {
    const bool typing = m_leaveList->holdsTyping() || m_dutyList->holdsTyping() ||
                        m_daysOffList->holdsTyping() || m_ownDatesList->holdsTyping();
    const bool startChanged =
        txtBeginn->text().trimmed() != (Term.start.isValid() ? DayText(Term.start) : QString());
    const bool entitlementChanged =
        txtAnspruch->text().trimmed() !=
        (Term.leaveEntitlement ? LeaveDaysNumber(*Term.leaveEntitlement) : QString());
    return typing || startChanged || entitlementChanged || enteredTerm() != Term;
}

void frmServiceTerm::cmdsave_Click() {
    saveTerm();
}

bool frmServiceTerm::saveTerm() {
    if (!enteredStartPasses() || !enteredEntitlementPasses() || !typedEntriesTaken())
        return false;
    // Leave and days off are kept joined where they overlap or touch.
    ServiceTerm term = enteredTerm();
    term.leave = MergedRanges(term.leave);
    term.daysOff = MergedRanges(term.daysOff);
    try {
        WriteServiceTerm(term);
    } catch (const ProgramError& error) {
        ReportError(error.description(), QStringLiteral("#26"));
        return false;
    }
    m_term = Term;
    RebuildTermCalendar();
    OffDutyShown = False; // counts that stand off duty are worked out anew at the next tick
    termEdited();
    return true;
}

void frmServiceTerm::cmdclose_Click() {
    UnloadForm(this);
}

void frmServiceTerm::cmdpicture_Click() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Als Bild speichern"),
                                                      QDir(folder).filePath(QStringLiteral("dienstzeit.png")),
                                                      QStringLiteral("PNG-Bilder (*.png)"));
    if (path.isEmpty())
        return;
    try {
        PictureContent content = PictureContentNow(chkName->isChecked());
        content.daysLeft = m_tape->daysLeft();
        WriteTermPicture(path, TermPicture(m_preview, content, Now()));
    } catch (const ProgramError& error) {
        MsgBox(error.description(), MsgStyle::Exclamation);
    }
}

// The calendar file's name, asked for with the documents folder proposed; empty when cancelled.
QString frmServiceTerm::askCalendarFile(const QString& title) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileDialog::getSaveFileName(this, title, QDir(folder).filePath(QStringLiteral("dienstzeit.ics")),
                                        QStringLiteral("iCalendar-Dateien (*.ics)"));
}

// Ticked, the calendar file is asked for once and kept current from the next save on.
void frmServiceTerm::chkCalendar_Click(bool keep) {
    m_term.calendarFile = keep ? askCalendarFile(QStringLiteral("Kalender aktuell halten")) : QString();
    showCalendarFile();
}

void frmServiceTerm::showCalendarFile() {
    chkCalendar->blockSignals(true);
    chkCalendar->setChecked(!m_term.calendarFile.isEmpty());
    chkCalendar->blockSignals(false);
    lblCalendarFile->setText(
        m_term.calendarFile.isEmpty()
            ? QStringLiteral("für ein Kalender-Abo, etwa in einem Ordner, den das Handy abgleicht")
            : QDir::toNativeSeparators(m_term.calendarFile));
}

void frmServiceTerm::cmdcalendar_Click() {
    const QString path = askCalendarFile(QStringLiteral("Kalender exportieren"));
    if (path.isEmpty())
        return;
    try {
        WriteCalendarFile(path, m_preview);
    } catch (const ProgramError& error) {
        MsgBox(error.description(), MsgStyle::Exclamation);
    }
}
