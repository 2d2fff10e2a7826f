// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "flagicon.h"

#include <QPainter>

QImage FlagImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const int flagHeight = size * 5 / 8;
    const int top = (size - flagHeight) / 2;
    const int stripes = flagHeight - 2; // inside the frame
    const QColor colours[] = {Qt::black, QColor(255, 0, 0), QColor(255, 204, 0)};

    QPainter painter(&image);
    painter.fillRect(0, top, size, flagHeight, Qt::black); // the frame
    int y = top + 1;
    for (int stripe = 0; stripe < 3; ++stripe) {
        const int height = stripes / 3 + (stripe < stripes % 3 ? 1 : 0);
        painter.fillRect(1, y, size - 2, height, colours[stripe]);
        y += height;
    }
    return image;
}

QIcon FlagIcon() {
    static const QIcon icon = [] {
        QIcon sizes;
        for (const int size : FlagIconSizes)
            if (size <= 128)
                sizes.addPixmap(QPixmap::fromImage(FlagImage(size)));
        return sizes;
    }();
    return icon;
}
