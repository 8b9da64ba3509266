// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordText.h"

#include <cctype>

QList<QByteArray> RecordText::Lines(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    for (QByteArray& line : lines) {
        while (!line.isEmpty() &&
               (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
            line.chop(1);
        }
    }
    return lines;
}

QString RecordText::DecodeHex(const QByteArray& digits, QByteArray& bytes) {
    for (const char digit : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(digit))) {
            const QString shown = digit >= ' ' && digit <= '~'
                                      ? QStringLiteral("\"") + QLatin1Char(digit) + '"'
                                      : Hex(static_cast<unsigned char>(digit));
            return tr("%1 is not a hexadecimal digit").arg(shown);
        }
    }
    if (digits.size() % 2 != 0) {
        return tr("the record has an odd number of hexadecimal digits");
    }
    bytes = QByteArray::fromHex(digits);
    return {};
}

QByteArray RecordText::EncodeHex(const QByteArray& bytes) {
    return bytes.toHex().toUpper();
}

QString RecordText::AtLine(int line, const QString& what) {
    return tr("line %1: %2").arg(line).arg(what);
}

QString RecordText::Hex(unsigned value) {
    return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(2, '0');
}
