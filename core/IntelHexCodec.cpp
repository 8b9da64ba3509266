// SPDX-License-Identifier: GPL-3.0-or-later
#include "IntelHexCodec.h"

#include <numeric>

#include "ImageAssembler.h"
#include "RecordText.h"

namespace {
enum RecordType : uint8_t {
    kData = 0x00,
    kEnd = 0x01,
    kSegmentAddress = 0x02,
    kStartSegment = 0x03,
    kLinearAddress = 0x04,
    kStartLinear = 0x05,
};
// Length, address (two bytes), type and checksum around the data.
constexpr int kFramingBytes = 5;
constexpr int kBytesPerRecord = 16;

uint8_t Checksum(const QByteArray& bytes) {
    const int sum = std::accumulate(bytes.begin(), bytes.end(), 0, [](int total, char byte) {
        return total + static_cast<uint8_t>(byte);
    });
    return static_cast<uint8_t>(-sum);
}

unsigned Word(const QByteArray& bytes, int at) {
    return static_cast<unsigned>(static_cast<uint8_t>(bytes[at]) << 8 |
                                 static_cast<uint8_t>(bytes[at + 1]));
}
}  // namespace

QString IntelHexCodec::Decode(const QByteArray& text, EepromImage& image) {
    uint64_t base = 0;
    const auto decode = [&base](int line, const QByteArray& record, ImageAssembler& assembler,
                                bool& end) -> QString {
        if (record[0] != ':') {
            return RecordText::AtLine(line, tr("a record begins with \":\""));
        }
        QByteArray bytes;
        if (const QString wrong = RecordText::DecodeHex(record.mid(1), bytes); !wrong.isEmpty()) {
            return RecordText::AtLine(line, wrong);
        }
        if (bytes.size() < kFramingBytes) {
            return RecordText::TooShort(line);
        }
        const int length = static_cast<uint8_t>(bytes[0]);
        if (bytes.size() != length + kFramingBytes) {
            return RecordText::AtLine(line, tr("the record holds %1 data bytes where its length "
                                               "says %2")
                                                .arg(bytes.size() - kFramingBytes)
                                                .arg(length));
        }
        if (QString wrong = RecordText::CheckChecksum(line, static_cast<uint8_t>(bytes.back()),
                                                      Checksum(bytes.first(bytes.size() - 1)));
            !wrong.isEmpty()) {
            return wrong;
        }
        const QByteArray data = bytes.mid(4, length);
        const auto type = static_cast<uint8_t>(bytes[3]);
        const int wantedLength = type == kEnd                                        ? 0
                                 : type == kSegmentAddress || type == kLinearAddress ? 2
                                 : type == kStartSegment || type == kStartLinear     ? 4
                                                                                     : -1;
        if (type == kData) {
            return assembler.Place(line, base + Word(bytes, 1), data);
        }
        if (wantedLength < 0) {
            return RecordText::AtLine(
                line,
                tr("record type %1 has no place in an image file").arg(RecordText::Hex(type)));
        }
        if (length != wantedLength) {
            return RecordText::AtLine(line, tr("a record of type %1 holds %2 data bytes, not %3")
                                                .arg(RecordText::Hex(type))
                                                .arg(wantedLength)
                                                .arg(length));
        }
        end = type == kEnd;
        if (type == kSegmentAddress) {
            base = static_cast<uint64_t>(Word(data, 0)) << 4;
        } else if (type == kLinearAddress) {
            base = static_cast<uint64_t>(Word(data, 0)) << 16;
        }
        return {};
    };
    return RecordText::DecodeRecords(text, decode,
                                     tr("the file ends without an end record (type 01)"), image);
}

QByteArray IntelHexCodec::Encode(const EepromImage& image) {
    QByteArray text;
    for (int at = 0; at < static_cast<int>(kEepromSize); at += kBytesPerRecord) {
        QByteArray record;
        record.append(static_cast<char>(kBytesPerRecord));
        record.append(static_cast<char>(at >> 8));
        record.append(static_cast<char>(at & 0xFF));
        record.append(static_cast<char>(kData));
        record.append(reinterpret_cast<const char*>(image.data()) + at, kBytesPerRecord);
        record.append(static_cast<char>(Checksum(record)));
        text += ':' + RecordText::EncodeHex(record) + '\n';
    }
    text += ":00000001FF\n";
    return text;
}
