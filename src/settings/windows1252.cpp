#include "windows1252.h"

#include <QList>
#include <array>
#include <cerrno>
#include <iconv.h>

namespace {

// Converts one character or byte with glibc's iconv; nothing when it has no counterpart.
std::optional<QByteArray> convert(const char* to, const char* from, QByteArray input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::array<char, 16> output{};
    char* in = input.data();
    size_t inLeft = static_cast<size_t>(input.size());
    char* out = output.data();
    size_t outLeft = output.size();
    const size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1) || inLeft != 0)
        return std::nullopt;
    return QByteArray(output.data(), static_cast<qsizetype>(output.size() - outLeft));
}

bool isUnassignedByte(uint value) {
    return value == 0x81 || value == 0x8D || value == 0x8F || value == 0x90 || value == 0x9D;
}

} // namespace

std::optional<QByteArray> ToWindows1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t ch : text.toUcs4()) {
        if (ch < 0x80 || isUnassignedByte(ch)) {
            bytes.append(static_cast<char>(ch));
            continue;
        }
        const auto converted = convert("CP1252", "UTF-8", QString::fromUcs4(&ch, 1).toUtf8());
        if (!converted || converted->size() != 1)
            return std::nullopt;
        bytes.append(*converted);
    }
    return bytes;
}

bool FitsWindows1252(const QString& text) {
    return ToWindows1252(text).has_value();
}

QString FromWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const uint value = static_cast<uchar>(byte);
        const auto converted = value < 0x80 ? std::nullopt : convert("UTF-8", "CP1252", QByteArray(1, byte));
        text += converted ? QString::fromUtf8(*converted) : QString(QChar(value));
    }
    return text;
}
