// SPDX-License-Identifier: GPL-3.0-or-later
#include "Stamp.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

namespace {
// A register number in decimal or 0x hexadecimal; -1 when it is none.
int ParseRegister(const QString& text) {
    bool ok = false;
    const bool hex = text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive);
    const QString digits = hex ? text.mid(2) : text;
    const bool plain = !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [&](QChar c) {
        return hex ? c.isDigit() || QStringLiteral("abcdefABCDEF").contains(c) : c.isDigit();
    });
    const int value = digits.toInt(&ok, hex ? 16 : 10);
    return plain && ok ? value : -1;
}
}  // namespace

std::optional<Stamp> Stamp::Parse(const QString& text, QString& problem) {
    const QStringList parts = text.split(':');
    const int reg = ParseRegister(parts.value(0));
    const int length = ParseRegister(parts.value(1));
    const QString order = parts.value(2, QStringLiteral("be"));
    if (parts.size() < 2 || parts.size() > 3 || reg < 0 || length < 0 ||
        (order != QLatin1String("be") && order != QLatin1String("le"))) {
        problem = QCoreApplication::translate(
                      "Stamp", "--stamp takes REG:LEN or REG:LEN:le (as 16:6), not \"%1\".")
                      .arg(text);
        return std::nullopt;
    }
    if (length < 1 || length > kMaxLength || reg + length > static_cast<int>(kEepromSize)) {
        problem = QCoreApplication::translate("Stamp",
                                              "--stamp %1: the value takes 1 to %2 registers "
                                              "that end at register %3 at the latest.")
                      .arg(text)
                      .arg(kMaxLength)
                      .arg(kEepromSize - 1);
        return std::nullopt;
    }
    return Stamp(reg, length, order == QLatin1String("le") ? Order::le : Order::be);
}

bool Stamp::Fits(uint64_t value) const {
    return m_length == kMaxLength || value >> (8 * m_length) == 0;
}

EepromImage Stamp::Apply(EepromImage image, uint64_t value) const {
    for (int i = 0; i < m_length; ++i) {
        const int shift = 8 * (m_order == Order::be ? m_length - 1 - i : i);
        image[static_cast<size_t>(m_register + i)] = static_cast<uint8_t>(value >> shift);
    }
    return image;
}

uint64_t Stamp::ValueIn(const EepromImage& image) const {
    uint64_t value = 0;
    for (int i = 0; i < m_length; ++i) {
        const int index = m_order == Order::be ? i : m_length - 1 - i;
        value = value << 8 | image[static_cast<size_t>(m_register + index)];
    }
    return value;
}

QString Stamp::ValueText(uint64_t value) const {
    return QStringLiteral("%1").arg(value, 2 * m_length, 16, QLatin1Char('0')).toUpper();
}

QJsonObject Stamp::ToJson(uint64_t value) const {
    return {{"register", m_register},
            {"length", m_length},
            {"order", m_order == Order::be ? QStringLiteral("be") : QStringLiteral("le")},
            {"value", ValueText(value)}};
}

QString Stamp::HeldText(uint64_t value) const {
    return QCoreApplication::translate("Stamp", "Registers %1 to %2 hold %3.")
        .arg(m_register)
        .arg(m_register + m_length - 1)
        .arg(ValueText(value));
}
