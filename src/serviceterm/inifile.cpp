// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inifile.h"

namespace {

bool isGroupLine(const QString& line) {
    return line.trimmed().startsWith(QLatin1Char('['));
}

// QSettings quotes a value with commas or blanks at its ends, escaping \ and ".
QString unquoted(const QString& value) {
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char('\\') && quoted && i + 1 < value.size())
            result += value.at(++i);
        else
            result += c;
    }
    return result;
}

} // namespace

IniText::IniText(const QByteArray& utf8) {
    if (!utf8.isEmpty())
        m_lines = QString::fromUtf8(utf8).split(QLatin1Char('\n'));
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
}

qsizetype IniText::groupLine(const QString& group) const {
    const QString header = QLatin1Char('[') + group + QLatin1Char(']');
    for (qsizetype i = 0; i < m_lines.size(); ++i)
        if (m_lines.at(i).trimmed() == header)
            return i;
    return -1;
}

qsizetype IniText::keyLine(qsizetype groupStart, const QString& key) const {
    for (qsizetype i = groupStart + 1; i < m_lines.size() && !isGroupLine(m_lines.at(i)); ++i)
        if (m_lines.at(i).section(QLatin1Char('='), 0, 0).trimmed() == key)
            return i;
    return -1;
}

QString IniText::value(const QString& group, const QString& key) const {
    const qsizetype start = groupLine(group);
    const qsizetype line = start < 0 ? -1 : keyLine(start, key);
    if (line < 0)
        return {};
    const QString& text = m_lines.at(line);
    return unquoted(text.mid(text.indexOf(QLatin1Char('=')) + 1).trimmed());
}

void IniText::setValue(const QString& group, const QString& key, const QString& value) {
    const QString entry = key + QLatin1Char('=') + value;
    qsizetype start = groupLine(group);
    if (start < 0) {
        if (!m_lines.isEmpty())
            m_lines.append(QString());
        m_lines.append(QLatin1Char('[') + group + QLatin1Char(']'));
        m_lines.append(entry);
        return;
    }
    if (const qsizetype line = keyLine(start, key); line >= 0) {
        m_lines[line] = entry;
        return;
    }
    qsizetype end = start + 1;
    while (end < m_lines.size() && !isGroupLine(m_lines.at(end)) && !m_lines.at(end).trimmed().isEmpty())
        ++end;
    m_lines.insert(end, entry);
}

QByteArray IniText::toUtf8() const {
    return (m_lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}
