// SPDX-License-Identifier: GPL-3.0-or-later
#include "SRecordCodec.h"

#include <numeric>

#include "ImageAssembler.h"
#include "RecordText.h"

namespace {
constexpr int kBytesPerRecord = 16;

// The bytes of the address field of record type `type` ('0' to '9'); 0 for
// a type an image file does not hold.
int AddressBytes(char type) {
    switch (type) {
        case '0':
        case '1':
        case '5':
        case '9':
            return 2;
        case '2':
        case '8':
            return 3;
        case '3':
        case '7':
            return 4;
        default:
            return 0;
    }
}

// The ones' complement of the low byte of the sum of `bytes`.
uint8_t Checksum(const QByteArray& bytes) {
    const int sum = std::accumulate(bytes.begin(), bytes.end(), 0, [](int total, char byte) {
        return total + static_cast<uint8_t>(byte);
    });
    return static_cast<uint8_t>(~sum);
}

// The record of type `type` with `address` (`addressBytes` long) and `data`.
QByteArray Record(char type, uint32_t address, int addressBytes, const QByteArray& data) {
    QByteArray bytes;
    bytes.append(static_cast<char>(addressBytes + data.size() + 1));
    for (int shift = 8 * (addressBytes - 1); shift >= 0; shift -= 8) {
        bytes.append(static_cast<char>((address >> shift) & 0xFF));
    }
    bytes += data;
    bytes.append(static_cast<char>(Checksum(bytes)));
    return QByteArray("S") + type + RecordText::EncodeHex(bytes) + '\n';
}
}  // namespace

QString SRecordCodec::Decode(const QByteArray& text, EepromImage& image) {
    int dataRecords = 0;
    const auto decode = [&dataRecords](int line, const QByteArray& record,
                                       ImageAssembler& assembler, bool& end) -> QString {
        if (record.size() < 2 || record[0] != 'S') {
            return RecordText::AtLine(line, tr("a record begins with \"S\" and its type"));
        }
        const char type = record[1];
        const int addressBytes = AddressBytes(type);
        if (addressBytes == 0) {
            return RecordText::AtLine(
                line, tr("record type S%1 has no place in an image file").arg(QLatin1Char(type)));
        }
        QByteArray bytes;
        if (const QString wrong = RecordText::DecodeHex(record.mid(2), bytes); !wrong.isEmpty()) {
            return RecordText::AtLine(line, wrong);
        }
        if (bytes.size() < addressBytes + 2) {
            return RecordText::TooShort(line);
        }
        const int count = static_cast<uint8_t>(bytes[0]);
        if (bytes.size() != count + 1) {
            return RecordText::AtLine(line, tr("the record holds %1 bytes after its count, which "
                                               "says %2")
                                                .arg(bytes.size() - 1)
                                                .arg(count));
        }
        if (QString wrong = RecordText::CheckChecksum(line, static_cast<uint8_t>(bytes.back()),
                                                      Checksum(bytes.first(bytes.size() - 1)));
            !wrong.isEmpty()) {
            return wrong;
        }
        uint64_t address = 0;
        for (int i = 1; i <= addressBytes; ++i) {
            address = address << 8 | static_cast<uint8_t>(bytes[i]);
        }
        const QByteArray data = bytes.mid(1 + addressBytes, count - addressBytes - 1);
        if (type == '1' || type == '2' || type == '3') {
            ++dataRecords;
            return assembler.Place(line, address, data);
        }
        if (type == '5' && address != static_cast<uint64_t>(dataRecords)) {
            return RecordText::AtLine(line, tr("the count record says %1 data records where the "
                                               "file has %2 before it")
                                                .arg(address)
                                                .arg(dataRecords));
        }
        end = type >= '7';
        return {};
    };
    return RecordText::DecodeRecords(
        text, decode, tr("the file ends without an end record (S7, S8 or S9)"), image);
}

QByteArray SRecordCodec::Encode(const EepromImage& image) {
    QByteArray text = Record('0', 0, 2, QByteArrayLiteral("tarnel"));
    int records = 0;
    for (int at = 0; at < static_cast<int>(kEepromSize); at += kBytesPerRecord) {
        text +=
            Record('1', static_cast<uint32_t>(at), 2,
                   QByteArray(reinterpret_cast<const char*>(image.data()) + at, kBytesPerRecord));
        ++records;
    }
    text += Record('5', static_cast<uint32_t>(records), 2, {});
    text += Record('9', 0, 2, {});
    return text;
}
