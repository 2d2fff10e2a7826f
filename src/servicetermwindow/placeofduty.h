// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGridLayout;

// The place of duty as the user picks it: the country, then its state or canton by name,
// and a tick for each of that region's local days.
class PlaceOfDuty : public QWidget {
    Q_OBJECT
public:
    explicit PlaceOfDuty(QWidget* parent = nullptr);

    // Shows the region (a code the program keeps) and its ticked local days, without telling of a change.
    void setPlace(const QString& regionCode, const QStringList& localDays);
    QString regionCode() const;
    QStringList localDays() const; // the keys of the ticked local days

signals:
    void changed();

private:
    void cboStaat_Click();
    void showLocalDays(const QStringList& ticked);

    QComboBox* cboStaat;
    QComboBox* cboLand;
    QWidget* m_localBox;
    QGridLayout* m_localGrid;
    QList<QCheckBox*> m_localTicks;
};
