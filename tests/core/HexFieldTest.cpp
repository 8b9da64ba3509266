// SPDX-License-Identifier: GPL-3.0-or-later
#include "HexField.h"

#include <gtest/gtest.h>

namespace {

TEST(HexFieldTest, FormatsTwoUpperCaseDigits) {
    EXPECT_EQ(HexField::Format(0x00), "00");
    EXPECT_EQ(HexField::Format(0x0A), "0A");
    EXPECT_EQ(HexField::Format(0xFF), "FF");
}

TEST(HexFieldTest, AcceptsOneOrTwoHexDigitsInEitherCase) {
    EXPECT_EQ(HexField::Parse("a"), 0x0A);
    EXPECT_EQ(HexField::Parse("0"), 0x00);
    EXPECT_EQ(HexField::Parse("fF"), 0xFF);
    EXPECT_EQ(HexField::Parse("7e"), 0x7E);
}

TEST(HexFieldTest, RefusesEverythingElse) {
    for (const char* text : {"", "1G", "G1", " 5", "5 ", "-1", "+1", "0x", "100", "g"}) {
        EXPECT_FALSE(HexField::Parse(QString::fromLatin1(text)).has_value()) << text;
    }
    EXPECT_FALSE(HexField::Parse(QStringLiteral("\u00e9")).has_value());
    EXPECT_FALSE(HexField::Parse(QStringLiteral("\uff11")).has_value());  // full-width digit
}

}  // namespace
