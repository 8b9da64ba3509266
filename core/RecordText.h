// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>

#include "EepromImage.h"

class ImageAssembler;

// What the line-based image formats (Intel HEX, S-record) share in their
// text: the walk over the record lines, hexadecimal byte pairs, the checks
// every record gets and the form of their messages.
class RecordText {
    Q_DECLARE_TR_FUNCTIONS(RecordText)

public:
    // Takes the record on line `line` (not blank), places its data in
    // `assembler` and sets `end` when it is the end record. Empty on
    // success, otherwise the message ("line 3: ...").
    using RecordDecoder = std::function<QString(int line, const QByteArray& record,
                                                ImageAssembler& assembler, bool& end)>;
    // Decodes the records of `text` into `image`, which changes only on
    // success: blank lines are passed over, each other line goes to
    // `decode` until the end record, a record after it is refused, and a
    // text without one is refused with `noEnd`. Empty on success, otherwise
    // what is wrong and on which line ("line 3: ...").
    static QString DecodeRecords(const QByteArray& text, const RecordDecoder& decode,
                                 const QString& noEnd, EepromImage& image);
    // The message for the record on line `line` that is shorter than its
    // fields; both formats refuse it alike.
    static QString TooShort(int line);
    // The message for the record on line `line` whose last byte `checksum`
    // is not the `expected` one of its other bytes; empty when it is.
    static QString CheckChecksum(int line, uint8_t checksum, uint8_t expected);
    // The lines of `text`, split at "\n", each without trailing blanks or
    // "\r"; no empty last line for a text that ends in "\n".
    static QList<QByteArray> Lines(const QByteArray& text);
    // Decodes `digits`, pairs of hexadecimal digits in either case, into
    // `bytes`. Empty on success, otherwise what is wrong with them.
    static QString DecodeHex(const QByteArray& digits, QByteArray& bytes);
    // `bytes` as pairs of upper-case hexadecimal digits.
    static QByteArray EncodeHex(const QByteArray& bytes);
    // The message for what is wrong on line `line`: "line 3: ...".
    static QString AtLine(int line, const QString& what);
    // `value` as "0x" and at least two upper-case hexadecimal digits.
    static QString Hex(unsigned value);
};
