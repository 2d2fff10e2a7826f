// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows1252.h"

#include <QHash>
#include <QList>
#include <array>
#include <iconv.h>

namespace {

bool isUnassignedByte(uint value) {
    return value == 0x81 || value == 0x8D || value == 0x8F || value == 0x90 || value == 0x9D;
}

// The character of each byte, asked once of glibc's iconv. The five unassigned
// bytes read as the control character of the same number.
struct CodePage {
    std::array<char32_t, 256> characterOf{};
    QHash<char32_t, char> byteOf;

    CodePage() {
        iconv_t cd = iconv_open("UTF-32LE", "CP1252");
        for (uint value = 0; value < 256; ++value) {
            char32_t character = value;
            if (value >= 0x80 && !isUnassignedByte(value) && cd != reinterpret_cast<iconv_t>(-1)) {
                char in = static_cast<char>(value);
                char* inPtr = &in;
                size_t inLeft = 1;
                char32_t out = 0;
                char* outPtr = reinterpret_cast<char*>(&out);
                size_t outLeft = sizeof(out);
                if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) && outLeft == 0)
                    character = out;
            }
            characterOf[value] = character;
            byteOf.insert(character, static_cast<char>(value));
        }
        if (cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd);
    }
};

const CodePage& codePage() {
    static const CodePage table;
    return table;
}

} // namespace

std::optional<QByteArray> ToWindows1252(const QString& text) {
    const CodePage& table = codePage();
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t character : text.toUcs4()) {
        const auto found = table.byteOf.constFind(character);
        if (found == table.byteOf.constEnd())
            return std::nullopt;
        bytes.append(*found);
    }
    return bytes;
}

bool FitsWindows1252(const QString& text) {
    return ToWindows1252(text).has_value();
}

QString FromWindows1252(const QByteArray& bytes) {
    const CodePage& table = codePage();
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const char32_t character = table.characterOf[static_cast<uchar>(byte)];
        text += QString::fromUcs4(&character, 1);
    }
    return text;
}
