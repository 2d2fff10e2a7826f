// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmsettings.h"

#include "helpwindow/help.h"
#include "services/errortrap.h"
#include "services/messages.h"
#include "services/programend.h"
#include "services/programerror.h"
#include "settings/declarations.h"
#include "settings/fixedtext.h"
#include "settings/settingsfile.h"
#include "settings/windows1252.h"
#include "timecalc/datevalue.h"
#include "ui_frmsettings.h"
#include "widgets/fittext.h"

#include <functional>
#include <vector>

namespace {

// "Dienstgrad zu lang! Höchstens 5 Zeichen.": the check's message, and the limit to keep to.
QString tooLong(const QString& field, int width) {
    return QStringLiteral("%1 zu lang! Höchstens %2 Zeichen.").arg(field).arg(width);
}

QString entered(const QLineEdit* box) {
    return TrimBlanks(box->text());
}

// A date or time text that is still one once cut to its field's width, as it
// will be stored; otherwise the stored value could never be read again.
bool storableDateOrTime(const QString& text, int width) {
    return IsDate(text) && IsDate(text.left(width));
}

} // namespace

frmSettings::frmSettings(QWidget* parent) : Form<QWidget>(parent), ui(std::make_unique<Ui::frmSettings>()) {
    ui->setupUi(this);
    ui->txtpgr->setPlaceholderText(QStringLiteral("T.M.JJJJ"));
    ui->txtpgr->setProperty("widestText", QStringLiteral("00.00.0000"));
    for (QLineEdit* box : {ui->txtDsch, ui->txtDschFr, ui->txtDstBeg}) {
        box->setPlaceholderText(QStringLiteral("H:MM"));
        box->setProperty("widestText", QStringLiteral("00:00"));
    }
    connect(ui->cmdsave, &QPushButton::clicked, this, &frmSettings::cmdsave_Click);
    connect(ui->cmdclose, &QPushButton::clicked, this, &frmSettings::cmdclose_Click);
    connect(ui->Command1, &QPushButton::clicked, this, &frmSettings::Command1_Click);
}

frmSettings::~frmSettings() = default;

int frmSettings::helpTopic() const {
    return HelpTopic::SettingsDialog;
}

// Enter in a box saves, as in any dialog; on a button it presses that button.
void frmSettings::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        cmdsave_Click();
        return;
    }
    Form<QWidget>::keyPressEvent(event);
}

void frmSettings::Form_Load() {
    ui->Vorname->setFocus(); // the first box in the tab order
    showStoredValues();
    GrowToFit(this);
    CentreOnScreen(this);
}

void frmSettings::showStoredValues() {
    try {
        if (!SettingsFileExists()) {
            ui->txtDsch->setText(QStringLiteral("16:30"));
            ui->txtDschFr->setText(QStringLiteral("12:00"));
            ui->Option1->setChecked(true); // what saving stores when nothing is chosen
            return;
        }
        ReadSettings();
        // Without the record's padding, so the cursor stands after the text; the checks
        // trim the entries all the same, and saving pads them again.
        ui->Vorname->setText(TrimBlanks(Settings.Vorname));
        ui->txtName->setText(TrimBlanks(Settings.Name));
        ui->txtDstgrd->setText(TrimBlanks(Settings.Dstgrd));
        ui->txtpgr->setText(TrimBlanks(Settings.Pgr));
        ui->txtDsch->setText(TrimBlanks(Settings.Dsch));
        ui->txtDschFr->setText(TrimBlanks(Settings.DschFr));
        ui->txtDstBeg->setText(TrimBlanks(Settings.DstBeg));
        optionFor(Settings.Anzeige)->setChecked(true);
        ui->txtnd->setChecked(Settings.nd == 1);
    } catch (const ProgramError& error) {
        ReportError(error.description(), QStringLiteral("#24"));
    }
}

QRadioButton* frmSettings::optionFor(qint16 unitCode) const {
    switch (unitCode) {
    case Unit::Minutes:
        return ui->Option3;
    case Unit::Seconds:
        return ui->Option4;
    case Unit::Hours:
        return ui->Option2;
    default:
        return ui->Option1;
    }
}

qint16 frmSettings::selectedUnit() const {
    for (const qint16 code : {Unit::Minutes, Unit::Seconds, Unit::Hours})
        if (optionFor(code)->isChecked())
            return code;
    return Unit::Days; // also when no option is selected
}

void frmSettings::cmdsave_Click() {
    if (!enteredValuesPass())
        return;
    const SettingsRecord previous = Settings;
    storeEnteredValues();
    try {
        WriteSettings();
    } catch (const ProgramError& error) {
        // Nothing was saved, so nothing counts as entered either.
        Settings = previous;
        ReportError(error.description(), QStringLiteral("#25"));
        return;
    }
    CounterHalted = 0;
}

// Runs the checks in their order; the first that fails shows its message and puts
// the focus into the box to mend.
bool frmSettings::enteredValuesPass() {
    const QString vorname = entered(ui->Vorname);
    const QString name = entered(ui->txtName);
    const QString rank = entered(ui->txtDstgrd);
    const QString pgr = entered(ui->txtpgr);
    const QString dutyEnd = entered(ui->txtDsch);
    const QString fridayEnd = entered(ui->txtDschFr);
    const QString dutyStart = entered(ui->txtDstBeg);
    constexpr int timeWidth = SettingsRecord::TimeWidth;
    const QString invalidTime = QStringLiteral("Uhrzeit ungültig!");
    const QString invalidDate = QStringLiteral("Datum ungültig!");

    struct Check {
        std::function<bool()> fails;
        QString message;
        QLineEdit* focus;
    };
    const std::vector<Check> checks = {
        {[&] { return vorname.isEmpty(); }, QStringLiteral("Sie müssen einen Vornamen eingeben!"),
         ui->Vorname},
        {[&] { return vorname.size() > SettingsRecord::VornameWidth; },
         tooLong(QStringLiteral("Vorname"), SettingsRecord::VornameWidth), ui->Vorname},
        {[&] { return !FitsWindows1252(vorname); }, QStringLiteral("Vorname enthält ungültige Zeichen!"),
         ui->Vorname},
        {[&] { return name.isEmpty(); }, QStringLiteral("Sie müssen einen Namen eingeben!"), ui->txtName},
        {[&] { return name.size() > SettingsRecord::NameWidth; },
         tooLong(QStringLiteral("Name"), SettingsRecord::NameWidth), ui->txtName},
        {[&] { return !FitsWindows1252(name); }, QStringLiteral("Name enthält ungültige Zeichen!"),
         ui->txtName},
        {[&] { return rank.isEmpty(); }, QStringLiteral("Sie müssen einen Dienstgrad eingeben!"),
         ui->txtDstgrd},
        {[&] { return rank.size() > SettingsRecord::DstgrdWidth; },
         tooLong(QStringLiteral("Dienstgrad"), SettingsRecord::DstgrdWidth), ui->txtDstgrd},
        {[&] { return !FitsWindows1252(rank); }, QStringLiteral("Dienstgrad enthält ungültige Zeichen!"),
         ui->txtDstgrd},
        {[&] { return pgr.isEmpty(); }, QStringLiteral("Sie müssen ein Pilgrast eingeben!"), ui->txtpgr},
        {[&] { return !storableDateOrTime(pgr, SettingsRecord::PgrWidth); }, invalidDate, ui->txtpgr},
        {[&] { return CDate(pgr) < Date(); }, invalidDate, ui->txtpgr},
        {[&] { return dutyEnd.isEmpty(); },
         QStringLiteral("Sie müssen den standard Dienstschluß von Mo - Do eingeben!"), ui->txtDsch},
        {[&] { return !storableDateOrTime(dutyEnd, timeWidth); }, invalidTime, ui->txtDsch},
        {[&] { return fridayEnd.isEmpty(); },
         QStringLiteral("Sie müssen den standard Dienstschluß am Freitag eingeben!"), ui->txtDschFr},
        {[&] { return !storableDateOrTime(fridayEnd, timeWidth); }, invalidTime, ui->txtDschFr},
        {[&] { return dutyStart.isEmpty(); },
         QStringLiteral("Sie müssen den standard Dienstbeginn eingeben!"), ui->txtDstBeg},
        {[&] { return !storableDateOrTime(dutyStart, timeWidth); }, invalidTime, ui->txtDstBeg},
        {[&] { return CDate(dutyEnd) < CDate(dutyStart); }, invalidTime, ui->txtDstBeg},
        {[&] { return CDate(fridayEnd) < CDate(dutyStart); }, invalidTime, ui->txtDstBeg},
    };
    for (const Check& check : checks) {
        if (check.fails()) {
            MsgBox(check.message, MsgStyle::Exclamation);
            check.focus->setFocus();
            return false;
        }
    }
    return true;
}

void frmSettings::storeEnteredValues() {
    Settings.Nr = 1;
    Settings.Vorname = LeftAligned(entered(ui->Vorname), SettingsRecord::VornameWidth);
    Settings.Name = LeftAligned(entered(ui->txtName), SettingsRecord::NameWidth);
    Settings.Dstgrd = LeftAligned(entered(ui->txtDstgrd), SettingsRecord::DstgrdWidth);
    Settings.Pgr = LeftAligned(entered(ui->txtpgr), SettingsRecord::PgrWidth);
    Settings.Dsch = LeftAligned(entered(ui->txtDsch), SettingsRecord::TimeWidth);
    Settings.DschFr = LeftAligned(entered(ui->txtDschFr), SettingsRecord::TimeWidth);
    Settings.DstBeg = LeftAligned(entered(ui->txtDstBeg), SettingsRecord::TimeWidth);
    Settings.nd = ui->txtnd->isChecked() ? 1 : 0;
    Settings.Anzeige = selectedUnit();
}

void frmSettings::cmdclose_Click() {
    UnloadForm(this);
}

// Closing the dialog, by its button or by its frame, leads back to the main window;
// without a saved pgr.dat there is nothing to count, and the program ends.
void frmSettings::Form_Unload() {
    if (!SettingsFileExists() || !ShowMainWindow())
        EndProgram();
}

void frmSettings::Command1_Click() {
    PressF1(this);
}
