// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include "EepromImage.h"

// Images as Intel HEX text. Reading takes data (00), end (01), extended
// segment (02) and extended linear (04) address records, and passes over the
// start-address records (03, 05); every record's checksum is checked, and
// the records must give all 128 registers and nothing outside them. Writing
// gives eight records of 16 data bytes and the end record, lines ending in
// "\n".
class IntelHexCodec {
    Q_DECLARE_TR_FUNCTIONS(IntelHexCodec)

public:
    // Decodes `text` into `image`, which changes only on success. Empty on
    // success, otherwise what is wrong and on which line ("line 3: ...").
    static QString Decode(const QByteArray& text, EepromImage& image);
    // `image` as Intel HEX text.
    static QByteArray Encode(const EepromImage& image);
};
