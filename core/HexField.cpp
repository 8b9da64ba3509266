// SPDX-License-Identifier: GPL-3.0-or-later
#include "HexField.h"

namespace {
int DigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') {
        return u - '0';
    }
    if (u >= 'a' && u <= 'f') {
        return u - 'a' + 10;
    }
    if (u >= 'A' && u <= 'F') {
        return u - 'A' + 10;
    }
    return -1;
}
}  // namespace

QString HexField::Format(uint8_t value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

std::optional<uint8_t> HexField::Parse(const QString& text) {
    if (text.isEmpty() || text.size() > 2) {
        return std::nullopt;
    }
    int value = 0;
    for (QChar c : text) {
        const int digit = DigitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    return static_cast<uint8_t>(value);
}
