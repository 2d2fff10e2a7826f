// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <optional>

// Message box styles: button set plus icon, as the program has always used them.
namespace MsgStyle {
constexpr int OkOnly = 0;
constexpr int Critical = 16;
constexpr int YesNoCancelQuestion = 35;
constexpr int YesNoQuestion = 36;
constexpr int Exclamation = 48;
constexpr int Information = 64;
} // namespace MsgStyle

// Buttons a message box answers with.
constexpr int MsgOk = 1;
constexpr int MsgCancel = 2;
constexpr int MsgYes = 6;
constexpr int MsgNo = 7;

// Every message box of the program goes through this service, so that it always
// carries the program's title and tests can read and answer what is shown.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual int show(const QString& text, int style) = 0;
    // Asks for a line of text; nothing when the user cancels.
    virtual std::optional<QString> input(const QString& prompt) = 0;
};

// The service stays owned by the caller; nullptr restores "no service".
void SetMessageService(MessageService* service);

// Shows a modal message box and returns the button pressed.
int MsgBox(const QString& text, int style);
// Asks for a line of text in a modal box; nothing when cancelled or without a service.
std::optional<QString> InputBox(const QString& prompt);
