// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmserviceterm.h"

#include "calendarfile/calendarexport.h"
#include "counterview/counterview.h"
#include "helpwindow/help.h"
#include "widgets/flagicon.h"
#include "phonecode/phonecode.h"
#include "placeofduty.h"
#include "services/errortrap.h"
#include "services/messages.h"
#include "services/programerror.h"
#include "serviceterm/servicekind.h"
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
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

namespace {

// "Do. 06.05.2027"
QString dayCaption(qint64 day) {
    return QLocale(QLocale::German).toString(CalendarDate(day), QStringLiteral("ddd dd.MM.yyyy"));
}

// "in 12 Tagen", "in 1 Tag"
QString inDays(qint64 days) {
    return days == 1 ? QStringLiteral("in 1 Tag") : QStringLiteral("in %1 Tagen").arg(days);
}

QString freeDaysCaption(qsizetype ahead, bool hadAny) {
    if (ahead == 0)
        return hadAny ? QStringLiteral("keine freien Tage mehr") : QStringLiteral("keine freien Tage");
    return ahead == 1 ? QStringLiteral("noch 1 freier Tag:")
                      : QStringLiteral("noch %1 freie Tage:").arg(ahead);
}

QString ownDateEntry(const OwnDate& date) {
    return DayRangeText(date.days) + QStringLiteral("  ") + date.name;
}

QStringList texts(const QList<DayRange>& ranges) {
    QStringList result;
    for (const DayRange& range : ranges)
        result.append(DayRangeText(range));
    return result;
}

// The entries as the lists show them.
QStringList dutyTexts(const QList<DutyEntry>& duty) {
    QStringList result;
    for (const DutyEntry& entry : duty)
        result.append(DutyEntryText(entry));
    return result;
}

// The parts of leave that lie outside the service.
QList<DayRange> leaveOutside(const QList<DayRange>& leave, std::optional<qint64> first,
                             std::optional<qint64> last) {
    QList<DayRange> outside;
    for (const DayRange& range : leave) {
        if (first && DayNumber(range.first) < *first)
            outside.append({range.first, std::min(range.last, CalendarDate(*first - 1))});
        if (last && DayNumber(range.last) > *last)
            outside.append({std::max(range.first, CalendarDate(*last + 1)), range.last});
    }
    return outside;
}

// Asks for all its content wants, so that the page keeps its size where the screen has room
// and scrolls only in a window shrunk below it.
class FullScrollArea : public QScrollArea {
public:
    QSize sizeHint() const override { return widget()->sizeHint().grownBy(contentsMargins()); }
};

// The page in the scroll area given.
QScrollArea* scrolling(QWidget* content, QScrollArea* area) {
    area->setWidget(content);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus); // no tab stop of its own: the page's boxes take the focus
    return area;
}

// Lets the tab's own background show through the page, as on a page that does not scroll.
QScrollArea* seeThrough(QScrollArea* area) {
    area->viewport()->setAutoFillBackground(false);
    area->widget()->setAutoFillBackground(false);
    return area;
}

} // namespace

frmServiceTerm::frmServiceTerm(QWidget* parent) : Form<QWidget>(parent) {
    setWindowTitle(QStringLiteral("Dienstzeit"));
    setWindowIcon(FlagIcon());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildStateLine());
    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_calendarPage = seeThrough(scrolling(buildCalendarPage(), new FullScrollArea));
    m_tabs->addTab(m_calendarPage, QStringLiteral("&Kalender"));
    m_entriesPage = buildEntriesPage();
    m_tabs->addTab(scrolling(m_entriesPage, new QScrollArea), QStringLiteral("&Eintragungen"));
    m_tabs->addTab(scrolling(buildOverviewPage(), new QScrollArea), QStringLiteral("Ü&bersicht"));
    layout->addWidget(m_tabs, 1);

    auto* buttons = new QHBoxLayout;
    auto* cmdsave = new QPushButton(QStringLiteral("&speichern"));
    cmdsave->setObjectName(QStringLiteral("cmdsave"));
    auto* cmdclose = new QPushButton(QStringLiteral("s&chließen"));
    cmdclose->setObjectName(QStringLiteral("cmdclose"));
    auto* cmdhelp = new QPushButton(QStringLiteral("&Hilfe"));
    cmdhelp->setObjectName(QStringLiteral("cmdhelp"));
    buttons->addWidget(cmdsave);
    buttons->addWidget(cmdclose);
    buttons->addStretch();
    buttons->addWidget(cmdhelp);
    layout->addLayout(buttons);

    connect(cmdsave, &QPushButton::clicked, this, &frmServiceTerm::cmdsave_Click);
    connect(cmdclose, &QPushButton::clicked, this, &frmServiceTerm::cmdclose_Click);
    connect(cmdhelp, &QPushButton::clicked, this, [this] { PressF1(this); });
    connectEntryLists();
}

frmServiceTerm::~frmServiceTerm() {
    RemoveCountDisplay(this);
    // A box that loses the focus while the window goes would edit a term already gone.
    for (QLineEdit* box : {txtBeginn, txtAnspruch})
        box->disconnect(this);
}

QWidget* frmServiceTerm::buildStateLine() {
    auto* line = new QWidget;
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
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
    barShare->setAccessibleName(QStringLiteral("geschafft"));
    lblDutyDays = new QLabel;
    lblDutyDays->setObjectName(QStringLiteral("lblDutyDays"));
    row->addWidget(lblShare);
    row->addWidget(barShare, 1);
    row->addWidget(lblDutyDays);
    return line;
}

QWidget* frmServiceTerm::buildCalendarPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    m_tape = new TapeMeasure;
    m_calendar = new CalendarView;
    m_calendarArea = new QScrollArea;
    m_calendarArea->setObjectName(QStringLiteral("calendarArea"));
    m_calendarArea->setWidget(m_calendar);
    m_calendarArea->setWidgetResizable(true);
    m_calendarArea->setFocusProxy(m_calendar);
    m_calendarArea->setFocusPolicy(Qt::NoFocus); // the calendar is the tab stop
    m_legend = new CalendarLegend;
    chkName = new QCheckBox(QStringLiteral("mit &Namen"));
    chkName->setObjectName(QStringLiteral("chkName"));
    auto* cmdpicture = new QPushButton(QStringLiteral("Als B&ild speichern…"));
    cmdpicture->setObjectName(QStringLiteral("cmdpicture"));
    auto* cmdcalendar = new QPushButton(QStringLiteral("Kalender e&xportieren…"));
    cmdcalendar->setObjectName(QStringLiteral("cmdcalendar"));
    auto* exports = new QHBoxLayout;
    exports->addWidget(new QLabel(QStringLiteral("Tage wählen, dann Kontextmenü oder U, F, D, T, Entf")), 1);
    exports->addWidget(chkName);
    exports->addWidget(cmdpicture);
    exports->addWidget(cmdcalendar);
    column->addWidget(m_tape);
    column->addWidget(m_calendarArea, 1);
    column->addWidget(m_legend);
    lblCalendarLeave = new QLabel;
    lblCalendarLeave->setObjectName(QStringLiteral("lblCalendarLeave"));
    column->addWidget(lblCalendarLeave);
    column->addLayout(exports);
    connect(m_calendar, &CalendarView::planRequested, this, &frmServiceTerm::plan);
    connect(m_calendar, &CalendarView::currentChanged, this,
            [this](QDate day) { scrollToDay(day, m_calendar->dayRect(day).height()); });
    connect(cmdpicture, &QPushButton::clicked, this, &frmServiceTerm::cmdpicture_Click);
    connect(cmdcalendar, &QPushButton::clicked, this, &frmServiceTerm::cmdcalendar_Click);
    return page;
}

QWidget* frmServiceTerm::buildEntriesPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    txtBeginn = new QLineEdit;
    txtBeginn->setObjectName(QStringLiteral("txtBeginn"));
    txtBeginn->setPlaceholderText(QStringLiteral("T.M.JJJJ"));
    m_place = new PlaceOfDuty;
    cboDienstart = new QComboBox;
    cboDienstart->setObjectName(QStringLiteral("cboDienstart"));
    for (const ServiceKindName& kind : ServiceKinds())
        cboDienstart->addItem(kind.caption, int(kind.kind));
    txtAnspruch = new QLineEdit;
    txtAnspruch->setObjectName(QStringLiteral("txtAnspruch"));
    txtAnspruch->setPlaceholderText(QStringLiteral("Tage"));
    txtAnspruch->setFixedWidth(LineEditSizeFor(txtAnspruch, QStringLiteral("000,5 ")).width());
    lblProposal = new QLabel;
    lblProposal->setObjectName(QStringLiteral("lblProposal"));
    cmdProposal = new QPushButton(QStringLiteral("überneh&men"));
    cmdProposal->setObjectName(QStringLiteral("cmdProposal"));
    auto* entitlementRow = new QHBoxLayout;
    entitlementRow->addWidget(txtAnspruch);
    entitlementRow->addWidget(lblProposal, 1);
    entitlementRow->addWidget(cmdProposal);
    form->addRow(QStringLiteral("Erster &Diensttag:"), txtBeginn);
    form->addRow(QStringLiteral("Dienst&ort:"), m_place);
    form->addRow(QStringLiteral("D&ienstart:"), cboDienstart);
    auto* entitlementLabel = new QLabel(QStringLiteral("Urlaubs&anspruch:"));
    entitlementLabel->setBuddy(txtAnspruch); // a row of several parts has no buddy of its own
    form->addRow(entitlementLabel, entitlementRow);
    chkCalendar = new QCheckBox(QStringLiteral("Kalender aktuell halte&n"));
    chkCalendar->setObjectName(QStringLiteral("chkCalendar"));
    lblCalendarFile = new QLabel;
    lblCalendarFile->setObjectName(QStringLiteral("lblCalendarFile"));
    lblCalendarFile->setWordWrap(true);
    auto* calendarRow = new QHBoxLayout;
    calendarRow->addWidget(chkCalendar);
    calendarRow->addWidget(lblCalendarFile, 1);
    form->addRow(calendarRow);
    connect(chkCalendar, &QCheckBox::toggled, this, &frmServiceTerm::chkCalendar_Click);
    column->addLayout(form);

    const QString dayOrRange = QStringLiteral("T.M.JJJJ oder T.M.JJJJ-T.M.JJJJ");
    const QString widestRange = QStringLiteral("00.00.0000-00.00.0000");
    m_leaveList = new EntryList(QStringLiteral("Urlaub"), QStringLiteral("Urlaub"), dayOrRange, widestRange);
    m_dutyList = new EntryList(QStringLiteral("Dienst"), QStringLiteral("Dienst außer der Reihe"),
                               QStringLiteral("T.M.JJJJ, T.M.JJJJ-T.M.JJJJ, T.M.JJJJ h:mm-T.M.JJJJ h:mm"),
                               QStringLiteral("00.00.0000 00:00-00.00.0000 00:00"));
    m_daysOffList =
        new EntryList(QStringLiteral("Dienstfrei"), QStringLiteral("Dienstfrei"), dayOrRange, widestRange);
    m_ownDatesList = new EntryList(QStringLiteral("Termin"), QStringLiteral("Termine"), dayOrRange,
                                   widestRange, QStringLiteral("Name, z. B. Gelöbnis"));
    lblLeaveAccount = new QLabel;
    lblLeaveAccount->setObjectName(QStringLiteral("lblLeaveAccount"));
    lblNextLeave = new QLabel;
    lblNextLeave->setObjectName(QStringLiteral("lblNextLeave"));
    lblLeaveOutside = new QLabel;
    lblLeaveOutside->setObjectName(QStringLiteral("lblLeaveOutside"));
    lblLeaveOutside->setWordWrap(true);

    const auto group = [](const QString& title, QWidget* list, std::initializer_list<QWidget*> lines = {}) {
        auto* box = new QGroupBox(title);
        auto* inner = new QVBoxLayout(box);
        inner->addWidget(list);
        for (QWidget* line : lines)
            inner->addWidget(line);
        return box;
    };
    auto* grid = new QGridLayout;
    grid->addWidget(
        group(QStringLiteral("&Urlaub"), m_leaveList, {lblLeaveAccount, lblNextLeave, lblLeaveOutside}), 0,
        0);
    grid->addWidget(group(QStringLiteral("Dienst außer der &Reihe"), m_dutyList), 0, 1);
    grid->addWidget(group(QStringLiteral("Dienst&frei (nicht Urlaub)"), m_daysOffList), 1, 0);
    grid->addWidget(group(QStringLiteral("&Termine"), m_ownDatesList), 1, 1);
    column->addLayout(grid);
    column->addStretch();
    connect(txtBeginn, &QLineEdit::editingFinished, this, &frmServiceTerm::termEdited);
    connect(txtAnspruch, &QLineEdit::editingFinished, this, &frmServiceTerm::termEdited);
    connect(txtAnspruch, &QLineEdit::textChanged, this, &frmServiceTerm::showProposal);
    connect(m_place, &PlaceOfDuty::changed, this, &frmServiceTerm::termEdited);
    connect(cboDienstart, &QComboBox::currentIndexChanged, this, &frmServiceTerm::termEdited);
    connect(cmdProposal, &QPushButton::clicked, this, &frmServiceTerm::cmdProposal_Click);
    return page;
}

QWidget* frmServiceTerm::buildOverviewPage() {
    auto* page = new QWidget;
    auto* sides = new QHBoxLayout(page);
    auto* column = new QVBoxLayout;
    sides->addLayout(column, 1);
    auto* phone = new QVBoxLayout;
    phone->addWidget(new QLabel(QStringLiteral("Das Pilgrast aufs Handy:\nmit der Kamera scannen")));
    lblCode = new QLabel;
    lblCode->setObjectName(QStringLiteral("lblCode"));
    lblCode->setAccessibleName(
        QStringLiteral("QR-Code: das Pilgrast als Termin für den Kalender des Handys"));
    phone->addWidget(lblCode);
    phone->addStretch();
    sides->addLayout(phone);
    lblFreeDays = new QLabel;
    lblFreeDays->setObjectName(QStringLiteral("lblFreeDays"));
    lstFreeDays = new QListWidget;
    lstFreeDays->setObjectName(QStringLiteral("lstFreeDays"));
    lstMilestones = new QListWidget;
    lstMilestones->setObjectName(QStringLiteral("lstMilestones"));
    lblNextDate = new QLabel;
    lblNextDate->setObjectName(QStringLiteral("lblNextDate"));
    lblNextDate->setWordWrap(true); // an own date's name may be long
    for (QListWidget* list : {lstFreeDays, lstMilestones}) {
        // As wide as the longest entry, so that no name is cut.
        list->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    column->addWidget(lblFreeDays);
    column->addWidget(lstFreeDays, 1);
    auto* milestones = new QLabel(QStringLiteral("&Meilensteine und Termine:"));
    milestones->setBuddy(lstMilestones);
    column->addWidget(milestones);
    column->addWidget(lblNextDate);
    column->addWidget(lstMilestones, 1);
    return page;
}

void frmServiceTerm::connectEntryLists() {
    const auto wire = [this](EntryList* list, TermList kind, auto remove) {
        connect(list, &EntryList::addRequested, this, [this, list, kind] { addEntry(list, kind); });
        connect(list, &EntryList::removeRequested, this, [this, remove](int row) {
            remove(m_term, row);
            termEdited();
        });
    };
    wire(m_leaveList, TermList::Leave, [](ServiceTerm& term, int row) { term.leave.removeAt(row); });
    wire(m_dutyList, TermList::Duty, [](ServiceTerm& term, int row) { term.duty.removeAt(row); });
    wire(m_daysOffList, TermList::DaysOff, [](ServiceTerm& term, int row) { term.daysOff.removeAt(row); });
    wire(m_ownDatesList, TermList::OwnDates, [](ServiceTerm& term, int row) { term.ownDates.removeAt(row); });
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
        0, this, [this] { scrollToDay(m_calendar->current(), m_calendarArea->viewport()->height() / 3); });
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
        cancel = !save();
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
    const QList<FreeDay> ahead = m_preview.freeDaysFrom(today);
    const bool hadAny = !m_preview.freeDaysFrom(m_preview.startDay().value_or(today)).isEmpty();
    lblFreeDays->setText(freeDaysCaption(ahead.size(), hadAny));
    lstFreeDays->clear();
    for (const FreeDay& freeDay : ahead)
        lstFreeDays->addItem(QStringLiteral("%1  %2").arg(dayCaption(freeDay.day), freeDay.name));

    struct Dated {
        qint64 first;
        qint64 last;
        QString name;
    };
    QList<Dated> dates;
    for (const Milestone& milestone : m_preview.milestones())
        dates.append({milestone.day, milestone.day, milestone.name});
    for (const OwnDay& date : m_preview.ownDates())
        dates.append({date.first, date.last, date.name});
    std::stable_sort(dates.begin(), dates.end(),
                     [](const Dated& a, const Dated& b) { return a.first < b.first; });
    lstMilestones->clear();
    for (const Dated& date : dates) {
        const QString when = date.last < today     ? QStringLiteral("✓ ")
                             : date.first <= today ? QStringLiteral("heute: ")
                                                   : QString();
        const QString days = date.first == date.last ? dayCaption(date.first)
                                                     : QStringLiteral("%1 – %2").arg(dayCaption(date.first),
                                                                                     dayCaption(date.last));
        auto* item = new QListWidgetItem(QStringLiteral("%1%2  %3").arg(when, date.name, days));
        if (date.last < today)
            item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
        lstMilestones->addItem(item);
    }
    showNextDate(today);
    showLeaveLines(today);
}

// The own date of today, or the next one ahead with its count.
void frmServiceTerm::showNextDate(qint64 today) {
    lblNextDate->clear();
    for (const OwnDay& date : m_preview.ownDates()) {
        if (date.first <= today && today <= date.last) {
            lblNextDate->setText(QStringLiteral("heute: %1").arg(date.name));
            return;
        }
        if (date.first > today) {
            lblNextDate->setText(QStringLiteral("%1 %2").arg(date.name, inDays(date.first - today)));
            return;
        }
    }
}

void frmServiceTerm::showLeaveLines(qint64 today) {
    // The account stands with the leave's list and under the calendar, where leave is planned;
    // an entitlement that is none says so there at once, not only when saving.
    const QString entitlement = txtAnspruch->text().trimmed();
    const std::optional<LeaveAccount> account = m_preview.leaveAccount();
    QString line;
    bool warning = false;
    if (!entitlement.isEmpty() && !ReadLeaveEntitlement(entitlement)) {
        line = QStringLiteral("Urlaubsanspruch „%1“: bitte eine Zahl von 0 bis 999, ganze oder halbe Tage")
                   .arg(entitlement);
        warning = true;
    } else if (account) {
        line = LeaveAccountText(*account);
        warning = account->planned > account->entitled;
    }
    for (QLabel* label : {lblLeaveAccount, lblCalendarLeave}) {
        label->setText(line);
        label->setPalette(warning ? warningPalette() : palette());
        label->setVisible(!line.isEmpty());
    }
    const std::optional<qint64> next = m_preview.nextLeaveAfter(today);
    lblNextLeave->setText(
        next ? QStringLiteral("nächster Urlaub: %1 (%2)").arg(dayCaption(*next), inDays(*next - today))
             : QString());
    lblNextLeave->setVisible(next.has_value());
    const QList<DayRange> outside = leaveOutside(m_term.leave, m_preview.startDay(), m_preview.endDay());
    lblLeaveOutside->setText(outside.isEmpty() ? QString()
                                               : QStringLiteral("außerhalb der Dienstzeit: ") +
                                                     texts(outside).join(QStringLiteral(", ")));
    lblLeaveOutside->setVisible(!outside.isEmpty());
}

void frmServiceTerm::showEntries() {
    m_leaveList->showEntries(texts(m_term.leave));
    m_dutyList->showEntries(dutyTexts(m_term.duty));
    m_daysOffList->showEntries(texts(m_term.daysOff));
    QStringList ownDates;
    for (const OwnDate& date : m_term.ownDates)
        ownDates.append(ownDateEntry(date));
    m_ownDatesList->showEntries(ownDates);
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
    const TermEntry entry = ReadTermEntry(kind, list->enteredText());
    if (!entry.problem.isEmpty())
        return refuse(entry.problem, list->entryBox());
    switch (kind) {
    case TermList::Leave:
        AddLeave(m_term, *entry.days);
        break;
    case TermList::Duty:
        AddDuty(m_term, *entry.duty);
        break;
    case TermList::DaysOff:
        AddDaysOff(m_term, *entry.days);
        break;
    case TermList::OwnDates:
        if (list->enteredName().isEmpty())
            return refuse(QStringLiteral("Bitte geben Sie dem Termin einen Namen!"), list->nameBox());
        AddOwnDate(m_term, {*entry.days, list->enteredName()});
        break;
    }
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
    save();
}

bool frmServiceTerm::save() {
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
