// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Build helper: writes the program's flag icon as PNG files for the desktop's
// icon theme, one per size, into the folder given.
#include "widgets/flagicon.h"

#include <QDir>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeicons FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const int size : FlagIconSizes) {
        const QString path = folder.filePath(QStringLiteral("%1x%1/apps/de.pilgrast.counter.png").arg(size));
        if (!QDir().mkpath(QFileInfo(path).path()) || !FlagImage(size).save(path)) {
            std::fprintf(stderr, "makeicons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
