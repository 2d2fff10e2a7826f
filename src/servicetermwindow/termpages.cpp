// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The Dienstzeit window's pages as they are built: the line of the share done, the calendar,
// the entries and the overview, and the wiring of their parts to the window's handlers.
#include "frmserviceterm.h"

#include "placeofduty.h"
#include "serviceterm/servicekind.h"
#include "termcalendar/tapemeasure.h"
#include "widgets/entrylist.h"
#include "widgets/fittext.h"
#include "widgets/flagicon.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

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
