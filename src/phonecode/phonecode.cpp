// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "phonecode.h"

#include "calendarfile/calendarexport.h"
#include "services/programerror.h"
#include "settings/fileaccess.h"
#include "termcalendar/termpicture.h"

#include <memory>
#include <qrencode.h>

namespace {

constexpr int quietZone = 4; // modules of white around the code, as scanners need

struct CodeFree {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

} // namespace

QImage QrCodeImage(const QByteArray& text, int scale) {
    // Medium error correction: a code that still reads with a smudge or a screen's glare.
    const std::unique_ptr<QRcode, CodeFree> code(QRcode_encodeString8bit(text.constData(), 0, QR_ECLEVEL_M));
    if (!code)
        return {};
    const int modules = code->width + 2 * quietZone;
    QImage image(modules * scale, modules * scale, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    for (int y = 0; y < code->width; ++y)
        for (int x = 0; x < code->width; ++x)
            if (code->data[y * code->width + x] & 1)
                for (int dy = 0; dy < scale; ++dy)
                    std::fill_n(image.scanLine((y + quietZone) * scale + dy) + (x + quietZone) * scale, scale,
                                uchar(0));
    return image;
}

QImage EndOfServiceCode(const ServiceCalendar& calendar, int scale) {
    const QByteArray event = EndOfServiceEventText(calendar);
    return event.isEmpty() ? QImage() : QrCodeImage(event, scale);
}

void WriteEndOfServiceCode(const QString& path, const ServiceCalendar& calendar) {
    const QString subject = QStringLiteral("Der Code");
    const QImage code = EndOfServiceCode(calendar);
    if (code.isNull())
        throw ProgramError(
            QStringLiteral("%1: es ist kein Pilgrast eingetragen.").arg(ExportFailureText(subject, path)));
    WritePngFile(path, code, subject);
}
