// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "counterview/counterview.h"
#include "services/secondtimer.h"
#include "widgets/forms.h"

#include <QMainWindow>
#include <memory>

namespace Ui {
class frmPGR;
}

// The main window: greeting, rank and name, and the weeks, days, hours, minutes
// and seconds left, refreshed once a second.
class frmPGR : public Form<QMainWindow> {
    Q_OBJECT
public:
    explicit frmPGR(QWidget* parent = nullptr);
    ~frmPGR() override;

    void Form_Load() override;
    void Form_Unload() override;

    // Working values of the refresh: the end-of-service moment, today's end of
    // duty and the start of duty, as text.
    QString txtpgr;
    QString txtdsch;
    QString txtdstbeg;

public slots:
    void Timer1_Timer();
    void menusettings_Click();
    void menuservice_Click();
    void menuquit_Click();
    void menuCDn_Click();
    void menuInfo_Click();
    void menuhilfe_Click();

private:
    enum class Flow { Continue, TickEnds };

    void loadServiceTerm();
    void clearDutyEndFlags();
    void meetNewDay();
    Counts shownCounts() const;
    void writeCounts(const Counts& counts);
    Flow actAtEndOfDuty(const CounterView& view);
    Flow endOfServiceDay(const QString& dutyEnd);
    Flow quitQuestionAtDutyEnd();
    Flow quitQuestionAfterPeriod(const DutyMoment& duty);
    Flow askToQuit();
    Flow lastSecondsBeforeDutyEnd();
    Flow lastSecondsOfPeriod(const DutyMoment& duty);
    Flow lastSeconds(qint64 secondsLeft);
    void openCountdown(bool atDutyEnd);
    void restoreWindow();
    void renewGreeting();

    std::unique_ptr<Ui::frmPGR> ui;
    SecondTimer m_timer;
    qint64 m_dutyEndFlagsDay = 0; // the day the end-of-duty flags were last looked at
};

// How the other windows reach this one, for SetMainWindowAccess.
MainWindowAccess MainWindowOfTheProgram();
