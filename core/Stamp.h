// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>
#include <cstdint>
#include <optional>

#include "EepromImage.h"

// The registers of an image that hold a unit's own value (a serial number, a
// MAC address): `Length()` registers from `Register()` on, the value's most
// significant byte first (big-endian) or its least significant byte first.
class Stamp {
public:
    enum class Order { be, le };
    static constexpr int kMaxLength = 8;

    // The stamp "REG:LEN[:le]" (or ":be"): REG a register (decimal or 0x
    // hexadecimal), LEN 1 to 8 registers that end inside the image; nothing,
    // with `problem` set for the user, for any other text.
    static std::optional<Stamp> Parse(const QString& text, QString& problem);

    int Register() const { return m_register; }
    int Length() const { return m_length; }
    Order ByteOrder() const { return m_order; }
    // Whether `reg` is one of the stamped registers.
    bool Covers(int reg) const { return reg >= m_register && reg < m_register + m_length; }
    // Whether `value` fits into the stamped registers.
    bool Fits(uint64_t value) const;
    // `image` with the stamped registers holding `value` (which fits).
    EepromImage Apply(EepromImage image, uint64_t value) const;
    // The value the stamped registers of `image` hold.
    uint64_t ValueIn(const EepromImage& image) const;
    // `value` as two upper-case hexadecimal digits per stamped register, most
    // significant first whatever the byte order ("001122000010").
    QString ValueText(uint64_t value) const;
    // "Registers 16 to 21 hold 001122000010." for `value` read from a switch.
    QString HeldText(uint64_t value) const;
    // {"register": 16, "length": 6, "order": "be", "value": "001122000010"}.
    QJsonObject ToJson(uint64_t value) const;

private:
    Stamp(int reg, int length, Order order) : m_register(reg), m_length(length), m_order(order) {}

    int m_register;
    int m_length;
    Order m_order;
};
