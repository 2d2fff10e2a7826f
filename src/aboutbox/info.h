// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "widgets/forms.h"

#include <QWidget>
#include <memory>

namespace Ui {
class Info;
}

// The about box: program name, version, year and author.
class Info : public Form<QWidget> {
    Q_OBJECT
public:
    explicit Info(QWidget* parent = nullptr);
    ~Info() override;

    void Form_Load() override;

public slots:
    void Command1_Click();

protected:
    int helpTopic() const override;
    void escapePressed() override { Command1_Click(); }

private:
    std::unique_ptr<Ui::Info> ui;
};
