#include "flagicon.h"

#include <QPainter>

QPixmap FlagPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    const int flagHeight = size * 5 / 8;
    const int top = (size - flagHeight) / 2;
    const int stripes = flagHeight - 2; // inside the frame
    const QColor colours[] = {Qt::black, QColor(255, 0, 0), QColor(255, 204, 0)};

    QPainter painter(&pixmap);
    painter.fillRect(0, top, size, flagHeight, Qt::black); // the frame
    int y = top + 1;
    for (int stripe = 0; stripe < 3; ++stripe) {
        const int height = stripes / 3 + (stripe < stripes % 3 ? 1 : 0);
        painter.fillRect(1, y, size - 2, height, colours[stripe]);
        y += height;
    }
    return pixmap;
}

QIcon FlagIcon() {
    QIcon icon;
    icon.addPixmap(FlagPixmap(16));
    icon.addPixmap(FlagPixmap(32));
    return icon;
}
