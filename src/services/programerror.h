// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <stdexcept>

// A failure that an error trap reports to the user. The description is German and
// says plainly what went wrong; the trap adds its own tag ("#20", ...).
class ProgramError : public std::runtime_error {
public:
    explicit ProgramError(const QString& description)
        : std::runtime_error(description.toStdString()), m_description(description) {}

    const QString& description() const { return m_description; }

private:
    QString m_description;
};
