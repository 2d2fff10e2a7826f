// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "services/secondtimer.h"
#include "widgets/forms.h"

#include <QWidget>
#include <memory>

namespace Ui {
class frmCountdown;
}

// The countdown window: one large figure, counting down to the end of service in
// hours, then minutes, then seconds, or the seconds to today's end of duty when the
// main window handed over at the end of duty.
class frmCountdown : public Form<QWidget> {
    Q_OBJECT
public:
    explicit frmCountdown(QWidget* parent = nullptr);
    ~frmCountdown() override;

    void Form_Load() override;
    void Form_Unload() override;

public slots:
    void Timer1_Timer();

protected:
    void escapePressed() override { UnloadForm(this); }

private:
    QString shownFigure() const;
    void showCount(qint64 count, const QString& unit);
    void showClosingWords(const QString& first, const QString& second);

    std::unique_ptr<Ui::frmCountdown> ui;
    SecondTimer m_timer;
};

// The countdown window's own icon: a stopwatch.
QIcon CountdownIcon();
