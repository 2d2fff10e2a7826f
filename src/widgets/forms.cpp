// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms.h"

#include "services/programend.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTimer>

namespace {

QHash<const QMetaObject*, QPointer<QWidget>>& registry() {
    static QHash<const QMetaObject*, QPointer<QWidget>> windows;
    return windows;
}

const char* const unloadedProperty = "pilgrastUnloaded";

void (*helpOpener)(int) = nullptr;

} // namespace

namespace forms {

QWidget* Existing(const QMetaObject& type) {
    QWidget* window = registry().value(&type);
    return window && !IsUnloaded(window) ? window : nullptr;
}

void Register(const QMetaObject& type, QWidget* window) {
    registry().insert(&type, window);
}

void MarkUnloaded(QWidget* window) {
    window->setProperty(unloadedProperty, true);
}

bool IsUnloaded(const QWidget* window) {
    return window->property(unloadedProperty).toBool();
}

void Present(QWidget* window) {
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
}

void OpenHelp(int topic) {
    if (helpOpener)
        helpOpener(topic);
}

} // namespace forms

void SetHelpOpener(void (*opener)(int topic)) {
    helpOpener = opener;
}

namespace {
MainWindowAccess mainWindow;
} // namespace

void SetMainWindowAccess(MainWindowAccess access) {
    mainWindow = access;
}

QWidget* FindMainWindow() {
    return mainWindow.find ? mainWindow.find() : nullptr;
}

QWidget* ShowMainWindow() {
    return mainWindow.show ? mainWindow.show() : nullptr;
}

void UnloadForm(QWidget* window) {
    // A window that was never shown gets its close event all the same.
    window->close();
}

namespace {

QRect freeArea(const QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// The frame the window system puts around the window: known once shown, else as the
// style draws a window's title bar and border.
QMargins frameOf(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    if (frame != inner)
        return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                frame.bottom() - inner.bottom()};
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    const int border = window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    return {border, titleBar + border, border, border};
}

// Shrinks the window, frame and all, to the area where it is larger, as far as its minimum size allows.
void shrinkInto(QWidget* window, const QRect& area, const QMargins& frame) {
    const QSize room = area.size().shrunkBy(frame);
    if (window->width() > room.width() || window->height() > room.height())
        window->resize(window->size().boundedTo(room).expandedTo(window->minimumSize()));
}

// Moves the window's frame to the place given, pulled into the area where it would stand out,
// the top left corner last, so that the title bar can always be reached.
void moveFrameTo(QWidget* window, QPoint place, const QRect& area, const QMargins& frame) {
    const QSize outer = window->size().grownBy(frame);
    place.setX(std::max(area.left(), std::min(place.x(), area.right() + 1 - outer.width())));
    place.setY(std::max(area.top(), std::min(place.y(), area.bottom() + 1 - outer.height())));
    window->move(place);
}

} // namespace

void CentreOnScreen(QWidget* window) {
    const QRect area = freeArea(window);
    if (area.isEmpty())
        return;
    const QMargins frame = frameOf(window);
    shrinkInto(window, area, frame);
    const QSize outer = window->size().grownBy(frame);
    moveFrameTo(
        window,
        {area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2},
        area, frame);
}

void PlaceBeside(QWidget* window, QWidget* neighbour) {
    const QRect area = freeArea(window);
    if (area.isEmpty() || !neighbour || !neighbour->isVisible()) {
        CentreOnScreen(window);
        return;
    }
    const QMargins frame = frameOf(window);
    shrinkInto(window, area, frame);
    const QSize outer = window->size().grownBy(frame);
    const QRect beside = neighbour->frameGeometry();
    if (beside.right() + 1 + outer.width() <= area.right() + 1) {
        moveFrameTo(window, {beside.right() + 1, beside.top()}, area, frame);
    } else if (beside.left() - outer.width() >= area.left()) {
        moveFrameTo(window, {beside.left() - outer.width(), beside.top()}, area, frame);
    } else if (beside.width() + outer.width() <= area.width()) {
        // Both fit side by side, but not around the neighbour where it stands: it moves to the
        // screen's left edge, so that the window does not cover it.
        neighbour->move(neighbour->pos() + QPoint(area.left() - beside.left(), 0));
        moveFrameTo(window, {area.left() + beside.width(), beside.top()}, area, frame);
    } else {
        CentreOnScreen(window);
    }
}

void PressF1(QWidget* window) {
    if (window)
        QCoreApplication::postEvent(window, new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
}

void EndWhenNoWindowLeft() {
    QTimer::singleShot(0, qApp, [] {
        for (const QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible())
                return;
        EndProgram();
    });
}
