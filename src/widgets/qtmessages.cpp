// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qtmessages.h"

#include <QApplication>
#include <QInputDialog>

namespace {

QMessageBox::Icon iconFor(int style) {
    switch (style & 0xF0) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

std::unique_ptr<QMessageBox> BuildMessageBox(const QString& text, int style) {
    auto box = std::make_unique<QMessageBox>(QApplication::activeWindow());
    box->setWindowTitle(QStringLiteral("Pilgrast"));
    box->setText(text);
    box->setIcon(iconFor(style));
    if ((style & 0x0F) == 4) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::No);
    } else if ((style & 0x0F) == 3) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::Cancel);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    return box;
}

int QtMessageService::show(const QString& text, int style) {
    InstallGermanTranslation(); // the buttons read German also before the start has loaded it
    const auto box = BuildMessageBox(text, style);
    switch (box->exec()) {
    case QMessageBox::Yes:
        return MsgYes;
    case QMessageBox::No:
        return MsgNo;
    case QMessageBox::Cancel:
        return MsgCancel;
    default:
        return MsgOk;
    }
}

std::optional<QString> QtMessageService::input(const QString& prompt) {
    InstallGermanTranslation();
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), QStringLiteral("Pilgrast"),
                                               prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}
