// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "placeofduty.h"

#include "serviceterm/holidays.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int ticksPerRow = 3;

} // namespace

PlaceOfDuty::PlaceOfDuty(QWidget* parent) : QWidget(parent) {
    cboStaat = new QComboBox;
    cboStaat->setObjectName(QStringLiteral("cboStaat"));
    cboStaat->setAccessibleName(QStringLiteral("Staat"));
    for (const HolidayCountry& country : HolidayCountries())
        cboStaat->addItem(country.name, country.code);
    cboStaat->addItem(QStringLiteral("keine Feiertage"), QString());
    cboLand = new QComboBox;
    cboLand->setObjectName(QStringLiteral("cboLand"));
    cboLand->setAccessibleName(QStringLiteral("Bundesland oder Kanton"));
    m_localBox = new QWidget;
    m_localGrid = new QGridLayout(m_localBox);
    m_localGrid->setContentsMargins(0, 0, 0, 0);
    m_localGrid->addWidget(
        new QLabel(QStringLiteral("Frei nur in Teilen des Landes – ankreuzen, was am Dienstort gilt:")), 0, 0,
        1, ticksPerRow);
    auto* choice = new QHBoxLayout;
    choice->setContentsMargins(0, 0, 0, 0);
    choice->addWidget(cboStaat);
    choice->addWidget(cboLand, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(choice);
    column->addWidget(m_localBox);
    setFocusProxy(cboStaat); // the key of "Dienstort" leads to the country
    connect(cboStaat, &QComboBox::currentIndexChanged, this, [this] {
        cboStaat_Click();
        emit changed();
    });
    connect(cboLand, &QComboBox::currentIndexChanged, this, [this] {
        showLocalDays({});
        emit changed();
    });
    setPlace(QString(), {});
}

void PlaceOfDuty::setPlace(const QString& regionCode, const QStringList& localDays) {
    const QSignalBlocker countryQuiet(cboStaat);
    const QSignalBlocker regionQuiet(cboLand);
    cboStaat->setCurrentIndex(std::max(0, cboStaat->findData(CountryOf(regionCode))));
    cboStaat_Click();
    cboLand->setCurrentIndex(std::max(0, cboLand->findData(regionCode)));
    showLocalDays(localDays);
}

QString PlaceOfDuty::regionCode() const {
    return cboLand->currentData().toString();
}

QStringList PlaceOfDuty::localDays() const {
    QStringList keys;
    for (const QCheckBox* tick : m_localTicks)
        if (tick->isChecked())
            keys.append(tick->property("key").toString());
    return keys;
}

// The country's states or cantons; the first chosen, as a new choice of country starts afresh.
void PlaceOfDuty::cboStaat_Click() {
    const QSignalBlocker quiet(cboLand);
    cboLand->clear();
    const QString country = cboStaat->currentData().toString();
    for (const HolidayCountry& candidate : HolidayCountries())
        if (candidate.code == country)
            for (const HolidayRegion& region : candidate.regions)
                cboLand->addItem(region.name, region.code);
    cboLand->setEnabled(!country.isEmpty());
    if (country.isEmpty())
        cboLand->addItem(QStringLiteral("–"), QString());
    showLocalDays({});
}

void PlaceOfDuty::showLocalDays(const QStringList& ticked) {
    qDeleteAll(m_localTicks);
    m_localTicks.clear();
    for (const LocalHoliday& day : LocalHolidays(regionCode())) {
        auto* tick = new QCheckBox(day.name);
        tick->setObjectName(QStringLiteral("chkOrtsfeiertag_") + day.key);
        tick->setProperty("key", day.key);
        tick->setChecked(ticked.contains(day.key));
        tick->setToolTip(
            QStringLiteral("Gilt nur in einem Teil des Landes oder ist nicht überall dienstfrei: "
                           "ankreuzen, wenn er an Ihrem Dienstort frei ist."));
        connect(tick, &QCheckBox::toggled, this, &PlaceOfDuty::changed);
        const int place = int(m_localTicks.size());
        m_localGrid->addWidget(tick, 1 + place / ticksPerRow, place % ticksPerRow);
        // Reached by Tab right after the region, not at the window's end where new boxes go.
        setTabOrder(m_localTicks.isEmpty() ? static_cast<QWidget*>(cboLand) : m_localTicks.last(), tick);
        m_localTicks.append(tick);
    }
    m_localBox->setVisible(!m_localTicks.isEmpty());
}
