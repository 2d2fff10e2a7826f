// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The text of an INI file in the format QSettings reads and writes (UTF-8,
// "[group]" lines, "key=value" lines), for the program's own plain values: a value
// is read without the quotes QSettings may put around it, and written as it is
// (Quoted() makes a free text safe first). Every other line stays as it was, so the
// user's comments and keys survive a save. A key written twice counts once, by its
// last line, as QSettings reads it; setting it leaves one line.
class IniText {
public:
    explicit IniText(const QByteArray& utf8 = {});

    // Whether the bytes are a settings file at all: UTF-8 text without NUL bytes that is
    // empty, holds only comments, or has a group. Random bytes or another kind of file are not.
    static bool IsSettingsText(const QByteArray& bytes);

    // The value, or a null string when the key is not there.
    QString value(const QString& group, const QString& key) const;
    // The keys of the group in the order of their lines, each once.
    QStringList keys(const QString& group) const;
    void setValue(const QString& group, const QString& key, const QString& value);
    void removeKey(const QString& group, const QString& key);
    QByteArray toUtf8() const;

    // A free text as a value that reads back unchanged, in QSettings' quotes where needed.
    static QString Quoted(const QString& text);

private:
    qsizetype groupLine(const QString& group) const;
    // The lines of the key in the group, in file order.
    QList<qsizetype> keyLines(qsizetype groupStart, const QString& key) const;

    QStringList m_lines;
};
