// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "services/countdisplay.h"
#include "serviceterm/servicecalendar.h"
#include "serviceterm/servicekind.h"
#include "serviceterm/termentry.h"
#include "termcalendar/calendarview.h"
#include "widgets/forms.h"

#include <QWidget>

class CalendarLegend;
class EntryList;
class QCheckBox;
class PlaceOfDuty;
class QComboBox;
class QPushButton;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QScrollArea;
class QTabWidget;
class TapeMeasure;

// The "Dienstzeit" window: the calendar of the service with the tape measure, the entries
// of the term (the start of service, the state whose holidays are free, leave, duty outside
// the usual week, days off, the leave entitlement, own dates) and the overview of free days,
// milestones and dates. It follows the counter's second; what is entered shows at once and
// counts from "speichern". It stands beside the main window, which goes on counting.
class frmServiceTerm : public Form<QWidget>, public CountDisplay {
    Q_OBJECT
public:
    explicit frmServiceTerm(QWidget* parent = nullptr);
    ~frmServiceTerm() override;

    void Form_Load() override;
    void Form_QueryUnload(bool& cancel) override;
    void Form_Unload() override;
    // The counter's second: the figures, the tape and the calendar follow.
    void showCount(const CountReport& report) override;

public slots:
    void cmdsave_Click();
    void cmdclose_Click();
    void cmdpicture_Click();
    void cmdcalendar_Click();
    void chkCalendar_Click(bool keep);
    void cmdProposal_Click();
    std::optional<LeaveProposal> proposal() const;
    void showProposal();

protected:
    int helpTopic() const override;
    void escapePressed() override { cmdclose_Click(); }

private:
    QWidget* buildCalendarPage();
    QWidget* buildEntriesPage();
    QWidget* buildOverviewPage();
    QWidget* buildStateLine();
    void connectEntryLists();
    QSize preferredSize() const;

    bool saveTerm();
    bool enteredStartPasses();
    bool enteredEntitlementPasses();
    bool typedEntriesTaken();
    bool refuse(const QString& message, QWidget* box);
    ServiceTerm enteredTerm() const;
    bool holdsUnsavedChanges() const;

    bool addEntry(EntryList* list, TermList kind);
    QPalette warningPalette() const;
    QString askCalendarFile(const QString& title);
    void showCalendarFile();
    void plan(PlanAction action, const DayRange& days);
    void termEdited();
    void showEntries();
    void refresh(std::optional<qint64> daysLeft);
    void showDayLists(qint64 today);
    void showLeaveAccount();
    void showLine(QLabel* label, const QString& text);
    void scrollToDay(QDate day, int margin);

    QTabWidget* m_tabs;
    QWidget* m_entriesPage;
    QLabel* lblShare;
    QProgressBar* barShare;
    QLabel* lblDutyDays;
    CalendarView* m_calendar;
    QScrollArea* m_calendarArea;
    QScrollArea* m_calendarPage;
    CalendarLegend* m_legend;
    TapeMeasure* m_tape;
    QCheckBox* chkName;
    QLineEdit* txtBeginn;
    PlaceOfDuty* m_place;
    QComboBox* cboDienstart;
    QLabel* lblProposal;
    QPushButton* cmdProposal;
    QLineEdit* txtAnspruch;
    QCheckBox* chkCalendar;
    QLabel* lblCalendarFile;
    EntryList* m_leaveList;
    EntryList* m_dutyList;
    EntryList* m_daysOffList;
    EntryList* m_ownDatesList;
    QLabel* lblLeaveAccount;
    QLabel* lblCalendarLeave;
    QLabel* lblNextLeave;
    QLabel* lblLeaveOutside;
    QLabel* lblFreeDays;
    QListWidget* lstFreeDays;
    QListWidget* lstMilestones;
    QLabel* lblNextDate;
    QLabel* lblCode;

    ServiceTerm m_term;        // the lists as entered, in the order of their days
    ServiceCalendar m_preview; // the calendar of what is entered
    qint64 m_listsDay = -1;    // the day the lists were last drawn for
};
