// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

bool InstallGermanTranslation() {
    // Once per application object; also before the window system, for the command line.
    static QPointer<QTranslator> installed;
    if (installed)
        return true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    installed = translator;
    return QCoreApplication::installTranslator(translator);
}
