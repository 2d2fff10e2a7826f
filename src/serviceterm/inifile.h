// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The text of an INI file in the format QSettings reads and writes (UTF-8,
// "[group]" lines, "key=value" lines), for the program's own plain values: a value
// is read without the quotes QSettings may put around it, and written as it is.
// Every other line stays as it was, so the user's comments and keys survive a save.
class IniText {
public:
    explicit IniText(const QByteArray& utf8 = {});

    // The value, or a null string when the key is not there.
    QString value(const QString& group, const QString& key) const;
    void setValue(const QString& group, const QString& key, const QString& value);
    QByteArray toUtf8() const;

private:
    qsizetype groupLine(const QString& group) const;
    qsizetype keyLine(qsizetype groupStart, const QString& key) const;

    QStringList m_lines;
};
