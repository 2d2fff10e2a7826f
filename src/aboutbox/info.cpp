// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "info.h"

#include "helpwindow/help.h"
#include "widgets/flagicon.h"
#include "widgets/fittext.h"
#include "widgets/labelstyle.h"

#include "ui_info.h"
#include <QApplication>

Info::Info(QWidget* parent) : Form<QWidget>(parent), ui(std::make_unique<Ui::Info>()) {
    ui->setupUi(this);
    setWindowIcon(FlagIcon());
    StyleLabels({ui->Label2, ui->Label3, ui->Label4}, Face::Sans, 9.6, false,
                QApplication::palette().color(QPalette::WindowText));
    connect(ui->Command1, &QPushButton::clicked, this, &Info::Command1_Click);
}

Info::~Info() = default;

void Info::Form_Load() {
    GrowToFit(this);
    CentreOnScreen(this);
}

int Info::helpTopic() const {
    return HelpTopic::AboutBox;
}

void Info::Command1_Click() {
    UnloadForm(this);
}
