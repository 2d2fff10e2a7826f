// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inifile.h"

#include <QStringDecoder>

namespace {

bool isGroupLine(const QString& line) {
    return line.trimmed().startsWith(QLatin1Char('['));
}

bool isComment(const QString& line) {
    const QString text = line.trimmed();
    return text.startsWith(QLatin1Char(';')) || text.startsWith(QLatin1Char('#'));
}

// The key of a "key=value" line; empty for any other line.
QString keyOf(const QString& line) {
    if (isComment(line) || isGroupLine(line) || !line.contains(QLatin1Char('=')))
        return {};
    return line.section(QLatin1Char('='), 0, 0).trimmed();
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

bool IniText::IsSettingsText(const QByteArray& bytes) {
    if (bytes.contains('\0'))
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError())
        return false;
    bool content = false;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (isGroupLine(line))
            return true;
        content = content || !(line.trimmed().isEmpty() || isComment(line));
    }
    return !content;
}

qsizetype IniText::groupLine(const QString& group) const {
    const QString header = QLatin1Char('[') + group + QLatin1Char(']');
    for (qsizetype i = 0; i < m_lines.size(); ++i)
        if (m_lines.at(i).trimmed() == header)
            return i;
    return -1;
}

QList<qsizetype> IniText::keyLines(qsizetype groupStart, const QString& key) const {
    QList<qsizetype> lines;
    for (qsizetype i = groupStart + 1; i < m_lines.size() && !isGroupLine(m_lines.at(i)); ++i)
        if (keyOf(m_lines.at(i)) == key)
            lines.append(i);
    return lines;
}

QString IniText::value(const QString& group, const QString& key) const {
    const qsizetype start = groupLine(group);
    const QList<qsizetype> lines = start < 0 ? QList<qsizetype>() : keyLines(start, key);
    if (lines.isEmpty())
        return {};
    const QString& text = m_lines.at(lines.last());
    return unquoted(text.mid(text.indexOf(QLatin1Char('=')) + 1).trimmed());
}

QStringList IniText::keys(const QString& group) const {
    QStringList keys;
    const qsizetype start = groupLine(group);
    if (start < 0)
        return keys;
    for (qsizetype i = start + 1; i < m_lines.size() && !isGroupLine(m_lines.at(i)); ++i) {
        const QString key = keyOf(m_lines.at(i));
        if (!key.isEmpty() && !keys.contains(key))
            keys.append(key);
    }
    return keys;
}

void IniText::setValue(const QString& group, const QString& key, const QString& value) {
    const QString entry = key + QLatin1Char('=') + value;
    const qsizetype start = groupLine(group);
    if (start < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(QLatin1Char('[') + group + QLatin1Char(']'));
        m_lines.append(entry);
        return;
    }
    const QList<qsizetype> lines = keyLines(start, key);
    if (!lines.isEmpty()) {
        m_lines[lines.first()] = entry;
        for (qsizetype i = lines.size() - 1; i > 0; --i)
            m_lines.removeAt(lines.at(i));
        return;
    }
    // After the group's last line that is not blank, so that a blank line before the next group stays.
    qsizetype end = start + 1;
    while (end < m_lines.size() && !isGroupLine(m_lines.at(end)))
        ++end;
    while (end > start + 1 && m_lines.at(end - 1).trimmed().isEmpty())
        --end;
    m_lines.insert(end, entry);
}

void IniText::removeKey(const QString& group, const QString& key) {
    const qsizetype start = groupLine(group);
    if (start < 0)
        return;
    const QList<qsizetype> lines = keyLines(start, key);
    for (qsizetype i = lines.size() - 1; i >= 0; --i)
        m_lines.removeAt(lines.at(i));
}

QByteArray IniText::toUtf8() const {
    return (m_lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

QString IniText::Quoted(const QString& text) {
    static const QString special = QStringLiteral("\",;\\");
    const bool plain = text.trimmed() == text &&
                       std::none_of(text.begin(), text.end(), [](QChar c) { return special.contains(c); });
    if (plain)
        return text;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}
