// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program.h"

#include "mainwindow/flagicon.h"
#include "mainwindow/frmpgr.h"
#include "services/forms.h"
#include "services/qtmessages.h"

#include <QApplication>

void StartProgram() {
    QApplication::setApplicationName(QStringLiteral("Pilgrast Counter"));
    QApplication::setWindowIcon(FlagIcon());
    InstallGermanTranslation();

    static QtMessageService messages;
    SetMessageService(&messages);

    // Windows replace each other: the program ends only when none is left open,
    // checked after the handler that closed one has shown its successor.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(qApp, &QGuiApplication::lastWindowClosed, &EndWhenNoWindowLeft);

    ShowForm<frmPGR>();
}
