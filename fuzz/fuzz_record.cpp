// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes read as pgr.dat give a record that writes back and reads again unchanged.
#include "settings/recordimage.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray image(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const SettingsRecord record = DecodeRecord(image);
    const QByteArray written = EncodeRecord(record);
    if (written.size() != RecordSize || !(DecodeRecord(written) == record))
        std::abort();
    if (image.size() >= RecordSize && written != image.left(RecordSize))
        std::abort(); // a full record survives byte for byte
    return 0;
}
