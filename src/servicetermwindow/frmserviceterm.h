// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "services/secondtimer.h"
#include "serviceterm/serviceterm.h"
#include "widgets/forms.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

// The "Dienstzeit" window: the start of service, the state whose holidays are free
// and the leave, with how much is done, the duty days and free days left and the
// milestones, refreshed every second. It stands beside the main window, which goes on counting.
class frmServiceTerm : public Form<QWidget> {
    Q_OBJECT
public:
    explicit frmServiceTerm(QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_Unload() override;

public slots:
    void Timer1_Timer();
    void cmdadd_Click();
    void cmdremove_Click();
    void cmdsave_Click();
    void cmdclose_Click();

protected:
    int helpTopic() const override;
    void escapePressed() override { cmdclose_Click(); }

private:
    QWidget* buildEntryPart();
    QWidget* buildStatePart();
    bool addEnteredLeave();
    bool enteredStartPasses();
    ServiceTerm enteredTerm() const;
    void showLeave(const QList<DayRange>& leave);
    void showDayLists(qint64 today);

    QLineEdit* txtBeginn;
    QComboBox* cboLand;
    QListWidget* lstUrlaub;
    QLineEdit* txtUrlaub;
    QPushButton* cmdadd;
    QPushButton* cmdremove;
    QLabel* lblShare;
    QProgressBar* barShare;
    QLabel* lblDutyDays;
    QLabel* lblFreeDays;
    QListWidget* lstFreeDays;
    QListWidget* lstMilestones;
    QList<DayRange> m_leave;
    qint64 m_listsDay = -1; // the day the lists were last drawn for
    SecondTimer m_timer;
};
