// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recordimage.h"

#include "fixedtext.h"
#include "services/programerror.h"
#include "windows1252.h"

#include <QtEndian>

namespace {

// One field of the record, in file order.
struct Field {
    enum Kind { Integer, Text } kind;
    int width; // characters of a text field; 2 bytes for an integer
    qint16 SettingsRecord::*integer;
    QString SettingsRecord::*text;
};

constexpr Field integerField(qint16 SettingsRecord::*member) {
    return {Field::Integer, 2, member, nullptr};
}

constexpr Field textField(QString SettingsRecord::*member, int width) {
    return {Field::Text, width, nullptr, member};
}

const Field recordLayout[] = {
    integerField(&SettingsRecord::Nr),
    textField(&SettingsRecord::Vorname, SettingsRecord::VornameWidth),
    textField(&SettingsRecord::Name, SettingsRecord::NameWidth),
    textField(&SettingsRecord::Dstgrd, SettingsRecord::DstgrdWidth),
    textField(&SettingsRecord::Pgr, SettingsRecord::PgrWidth),
    textField(&SettingsRecord::Dsch, SettingsRecord::TimeWidth),
    integerField(&SettingsRecord::Anzeige),
    textField(&SettingsRecord::DschFr, SettingsRecord::TimeWidth),
    integerField(&SettingsRecord::nd),
    textField(&SettingsRecord::DstBeg, SettingsRecord::TimeWidth),
};

} // namespace

QByteArray EncodeRecord(const SettingsRecord& record) {
    QByteArray image;
    image.reserve(RecordSize);
    for (const Field& field : recordLayout) {
        if (field.kind == Field::Integer) {
            char bytes[2];
            qToLittleEndian<qint16>(record.*field.integer, bytes);
            image.append(bytes, 2);
            continue;
        }
        const QString value = LeftAligned(record.*field.text, field.width);
        const auto bytes = ToWindows1252(value);
        if (!bytes)
            throw ProgramError(QStringLiteral("Der Text „%1“ enthält Zeichen, die in pgr.dat nicht "
                                              "gespeichert werden können.")
                                   .arg(value.trimmed()));
        image.append(*bytes);
    }
    return image;
}

SettingsRecord DecodeRecord(const QByteArray& image) {
    // Bytes beyond the end of a short image read as 0 in integers and as blanks in texts.
    const qsizetype present = qMin(image.size(), RecordSize);
    QByteArray padded = image.left(RecordSize) + QByteArray(RecordSize - present, '\0');

    SettingsRecord record;
    qsizetype offset = 0;
    for (const Field& field : recordLayout) {
        if (field.kind == Field::Integer) {
            record.*field.integer = qFromLittleEndian<qint16>(padded.constData() + offset);
        } else {
            QByteArray bytes = padded.mid(offset, field.width);
            for (qsizetype i = qMax<qsizetype>(0, present - offset); i < bytes.size(); ++i)
                bytes[i] = ' ';
            record.*field.text = FromWindows1252(bytes);
        }
        offset += field.width;
    }
    return record;
}
