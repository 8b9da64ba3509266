// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

// What the line-based image formats (Intel HEX, S-record) share in their
// text: lines, hexadecimal byte pairs and the form of their messages.
class RecordText {
    Q_DECLARE_TR_FUNCTIONS(RecordText)

public:
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
