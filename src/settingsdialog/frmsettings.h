// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "widgets/forms.h"

#include <QWidget>
#include <memory>

class QLineEdit;
class QRadioButton;

namespace Ui {
class frmSettings;
}

// The settings dialog: name, rank, end-of-service date, duty times, the duty-time
// switch and the unit of the minimised main window's caption.
class frmSettings : public Form<QWidget> {
    Q_OBJECT
public:
    explicit frmSettings(QWidget* parent = nullptr);
    ~frmSettings() override;

    void Form_Load() override;
    void Form_Unload() override;

public slots:
    void cmdsave_Click();
    void cmdclose_Click();
    void Command1_Click();

protected:
    int helpTopic() const override;
    void escapePressed() override { cmdclose_Click(); }
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showStoredValues();
    bool enteredValuesPass();
    void storeEnteredValues();
    QRadioButton* optionFor(qint16 unitCode) const;
    qint16 selectedUnit() const;

    std::unique_ptr<Ui::frmSettings> ui;
};
