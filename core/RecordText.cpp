// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordText.h"

#include <algorithm>
#include <cctype>

#include "ImageAssembler.h"

QString RecordText::DecodeRecords(const QByteArray& text, const RecordDecoder& decode,
                                  const QString& noEnd, EepromImage& image) {
    const QList<QByteArray> lines = Lines(text);
    ImageAssembler assembler;
    int endLine = 0;
    for (int index = 0; index < lines.size(); ++index) {
        const int line = index + 1;
        const QByteArray& record = lines[index];
        if (record.isEmpty()) {
            continue;
        }
        if (endLine != 0) {
            return AtLine(line, tr("a record follows the end record on line %1").arg(endLine));
        }
        bool end = false;
        if (QString wrong = decode(line, record, assembler, end); !wrong.isEmpty()) {
            return wrong;
        }
        if (end) {
            endLine = line;
        }
    }
    if (endLine == 0) {
        return AtLine(std::max(1, static_cast<int>(lines.size())), noEnd);
    }
    return assembler.Finish(endLine, image);
}

QString RecordText::TooShort(int line) {
    return AtLine(line, tr("the record is too short"));
}

QString RecordText::CheckChecksum(int line, uint8_t checksum, uint8_t expected) {
    if (checksum == expected) {
        return {};
    }
    return AtLine(line, tr("the checksum is %1 where the record's bytes give %2")
                            .arg(Hex(checksum))
                            .arg(Hex(expected)));
}

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
