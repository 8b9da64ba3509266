// SPDX-License-Identifier: GPL-3.0-or-later
#include "DumpFormat.h"

#include <QCoreApplication>

#include "GridGeometry.h"
#include "HexField.h"

namespace {
constexpr int kRowBytes = 16;

QString LowerHex(uint8_t value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0'));
}
}  // namespace

std::optional<DumpFormat::Kind> DumpFormat::Parse(const QString& name) {
    if (name == QLatin1String("grid")) {
        return Kind::grid;
    }
    if (name == QLatin1String("i2cdump")) {
        return Kind::i2cdump;
    }
    if (name == QLatin1String("xxd")) {
        return Kind::xxd;
    }
    return std::nullopt;
}

QString DumpFormat::Names() {
    return QCoreApplication::translate("DumpFormat", "grid, i2cdump or xxd");
}

QString DumpFormat::Format(Kind kind, const EepromImage& image) {
    switch (kind) {
        case Kind::grid:
            return Grid(image);
        case Kind::i2cdump:
            return I2cdump(image);
        case Kind::xxd:
            break;
    }
    return Xxd(image);
}

QString DumpFormat::Grid(const EepromImage& image) {
    QString text = QStringLiteral("    ");
    for (int column = 0; column < GridMetrics::kColumns; ++column) {
        text += QStringLiteral("  %1").arg(column);
    }
    text += '\n';
    for (int row = 0; row < GridMetrics::kRows; ++row) {
        text += QStringLiteral("%1 ").arg(row * GridMetrics::kColumns, 3);
        const int columns = row == GridMetrics::kLastRow ? GridMetrics::kLastColumnOfLastRow + 1
                                                         : GridMetrics::kColumns;
        for (int column = 0; column < columns; ++column) {
            text += ' ' + HexField::Format(image[row * GridMetrics::kColumns + column]);
        }
        text += '\n';
    }
    return text;
}

QString DumpFormat::I2cdump(const EepromImage& image) {
    // The column digits line up with the second digit of each byte. Byte 00
    // and FF show as '.', other unprintable bytes as '?'.
    QString text = QStringLiteral("   ");
    for (int column = 0; column < kRowBytes; ++column) {
        text += QStringLiteral("  %1").arg(column, 0, 16);
    }
    text += QStringLiteral("    0123456789abcdef\n");
    for (int row = 0; row < static_cast<int>(image.size()); row += kRowBytes) {
        QString characters;
        text += LowerHex(static_cast<uint8_t>(row)) + QStringLiteral(": ");
        for (int i = row; i < row + kRowBytes; ++i) {
            const uint8_t value = image[i];
            text += LowerHex(value) + ' ';
            characters += value == 0x00 || value == 0xFF  ? QChar('.')
                          : value < 0x20 || value >= 0x7F ? QChar('?')
                                                          : QChar(value);
        }
        text += QStringLiteral("   ") + characters + '\n';
    }
    return text;
}

QString DumpFormat::Xxd(const EepromImage& image) {
    // Offset, eight groups of two bytes, two spaces, the bytes as text with
    // '.' for every unprintable one.
    QString text;
    for (int row = 0; row < static_cast<int>(image.size()); row += kRowBytes) {
        QString characters;
        text += QStringLiteral("%1:").arg(row, 8, 16, QLatin1Char('0'));
        for (int i = row; i < row + kRowBytes; ++i) {
            const uint8_t value = image[i];
            text += (i % 2 == 0 ? QStringLiteral(" ") : QString()) + LowerHex(value);
            characters += value < 0x20 || value >= 0x7F ? QChar('.') : QChar(value);
        }
        text += QStringLiteral("  ") + characters + '\n';
    }
    return text;
}
