// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The two-digit hexadecimal form in which register values are shown and
// typed.
class HexField {
public:
    // "%02X": always two upper-case digits.
    static QString Format(uint8_t value);
    // The value of a field of one or two hexadecimal digits (0-9, a-f, A-F);
    // nothing for an empty field, a longer one, or any other character
    // (a space, a sign or a letter beyond F included).
    static std::optional<uint8_t> Parse(const QString& text);
};
