// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "messages.h"

#include <QDebug>

namespace {
MessageService* currentService = nullptr;
}

void SetMessageService(MessageService* service) {
    currentService = service;
}

int MsgBox(const QString& text, int style) {
    if (!currentService) {
        // Only reachable before start-up installed a service; never stay silent.
        qWarning().noquote() << "Pilgrast:" << text;
        return MsgOk;
    }
    return currentService->show(text, style);
}

std::optional<QString> InputBox(const QString& prompt) {
    return currentService ? currentService->input(prompt) : std::nullopt;
}
