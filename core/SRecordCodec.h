// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include "EepromImage.h"

// Images as Motorola S-record text. Reading takes the header (S0), data
// with 16-, 24- and 32-bit addresses (S1, S2, S3), the record count (S5,
// which must match the data records before it) and the ends (S7, S8, S9);
// every record's checksum is checked, and the data records must give all
// 128 registers and nothing outside them. Writing gives an S0 header naming
// tarnel, eight S1 records of 16 data bytes, S5 and S9, lines ending in
// "\n".
class SRecordCodec {
    Q_DECLARE_TR_FUNCTIONS(SRecordCodec)

public:
    // Decodes `text` into `image`, which changes only on success. Empty on
    // success, otherwise what is wrong and on which line ("line 3: ...").
    static QString Decode(const QByteArray& text, EepromImage& image);
    // `image` as S-record text.
    static QByteArray Encode(const EepromImage& image);
};
