// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCloseEvent>
#include <QKeyEvent>
#include <QWidget>

// Windows of the program ("forms"). Each exists at most once. Showing one creates
// it when it does not exist and runs its Form_Load before it becomes visible;
// unloading one runs its Form_Unload and deletes it. A window that unloads itself
// during Form_Load never becomes visible.
namespace forms {
QWidget* Existing(const QMetaObject& type);
void Register(const QMetaObject& type, QWidget* window);
void MarkUnloaded(QWidget* window);
bool IsUnloaded(const QWidget* window);
void Present(QWidget* window);
// Opens the help at a topic (0 is the contents page), by the opener the program set.
void OpenHelp(int topic);
} // namespace forms

// What F1 opens: the help viewer, set once by the program; without one F1 does nothing.
void SetHelpOpener(void (*opener)(int topic));

// The main window, which the other windows stand beside and return to without reaching up
// to it: find gives it while it is open, show opens it (nullptr when it cannot be shown).
// Set once by the program; unset, there is none.
struct MainWindowAccess {
    QWidget* (*find)() = nullptr;
    QWidget* (*show)() = nullptr;
};
void SetMainWindowAccess(MainWindowAccess access);
QWidget* FindMainWindow();
QWidget* ShowMainWindow();

template <class Base> class Form : public Base {
public:
    explicit Form(QWidget* parent = nullptr) : Base(parent) { this->setAttribute(Qt::WA_DeleteOnClose); }

    virtual void Form_Load() {}
    // Asked before the window closes, by its button, Escape or its frame; setting cancel keeps it open.
    virtual void Form_QueryUnload(bool& /*cancel*/) {}
    virtual void Form_Unload() {}

protected:
    // The help topic F1 opens in this window.
    virtual int helpTopic() const { return 0; }
    // What Escape does in this window: nothing unless the window says so.
    virtual void escapePressed() {}

    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_F1) {
            forms::OpenHelp(helpTopic());
            return;
        }
        if (event->key() == Qt::Key_Escape) {
            escapePressed();
            return;
        }
        Base::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override {
        if (!forms::IsUnloaded(this)) {
            bool cancel = false;
            Form_QueryUnload(cancel);
            if (cancel) {
                event->ignore();
                return;
            }
            forms::MarkUnloaded(this);
            Form_Unload();
        }
        Base::closeEvent(event);
    }
};

// Shows the window of type F; nullptr when it unloaded itself while loading.
template <class F> F* ShowForm() {
    if (auto* existing = qobject_cast<F*>(forms::Existing(F::staticMetaObject))) {
        forms::Present(existing);
        return existing;
    }
    auto* window = new F;
    forms::Register(F::staticMetaObject, window);
    window->Form_Load();
    if (forms::IsUnloaded(window))
        return nullptr;
    forms::Present(window);
    return window;
}

template <class F> F* FindForm() {
    return qobject_cast<F*>(forms::Existing(F::staticMetaObject));
}

// Unloads the window: its Form_Unload runs, then it closes and is deleted.
void UnloadForm(QWidget* window);

// Places the window, with its frame, in the middle of its screen's free area (without
// panels). A window larger than that area shrinks as far as it can, and its top left
// corner, with the title bar, always lies on the screen.
void CentreOnScreen(QWidget* window);
// Places the window beside another one, right of it where the screen has room, else left of
// it; where both fit side by side only with the other one at the screen's left edge, that one
// moves there; else in the middle. On the screen as CentreOnScreen keeps it.
void PlaceBeside(QWidget* window, QWidget* neighbour);

// Hands a press of F1 to the window without waiting for it to be handled, as if
// the user had pressed the key there.
void PressF1(QWidget* window);

// Ends the program once no window of it is left open. Called whenever a window
// closes, after the handler that closed it has shown any window that replaces it.
void EndWhenNoWindowLeft();
