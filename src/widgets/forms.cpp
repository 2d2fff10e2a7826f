// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms.h"

#include "services/programend.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QScreen>
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

void UnloadForm(QWidget* window) {
    // A window that was never shown gets its close event all the same.
    window->close();
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize outer = window->frameGeometry().size();
    window->move(area.x() + (area.width() - outer.width()) / 2,
                 area.y() + (area.height() - outer.height()) / 2);
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
