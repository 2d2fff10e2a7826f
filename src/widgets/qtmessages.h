// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "services/messages.h"
#include "services/translation.h"

#include <QMessageBox>
#include <memory>

// Message boxes on screen: modal, titled "Pilgrast", icon and buttons by style.
class QtMessageService : public MessageService {
public:
    int show(const QString& text, int style) override;
    std::optional<QString> input(const QString& prompt) override;
};

// A message box for the text and style, ready to be shown.
std::unique_ptr<QMessageBox> BuildMessageBox(const QString& text, int style);
