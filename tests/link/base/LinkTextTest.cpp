// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkText.h"

#include <gtest/gtest.h>

#include <cstring>

#include "LinkResult.h"

namespace {
// A language that puts the register after the reason.
std::string Reordering(const char* context, const char* source) {
    if (std::strcmp(context, "LinkResult") == 0 &&
        std::strcmp(source, "Reading the EEPROM failed at register %1: %2.") == 0) {
        return "%2 (register %1).";
    }
    return std::string("[") + source + "]";
}
}  // namespace

TEST(LinkTextTest, ArgumentsAreFilledInOnePassInTheTranslationsOrder) {
    EXPECT_EQ(LinkText::Fill("%2 then %1, %1 again", {"a", "b"}), "b then a, a again");
    // What an argument holds is never replaced in turn; a %N without its
    // argument, a lone % and %0 stay.
    EXPECT_EQ(LinkText::Fill("%1 and %2", {"100%2", "x"}), "100%2 and x");
    EXPECT_EQ(LinkText::Fill("%1 %3 50% %0 %", {"a"}), "a %3 50% %0 %");
    EXPECT_EQ(TARNEL_TEXT("Test", "%1 of %2").Text(7, std::string("nine")), "7 of nine");

    const std::string english = LinkResult::ReadFailure(3, "the bus is stuck.").message;
    EXPECT_EQ(english, "Reading the EEPROM failed at register 3: the bus is stuck.");
    LinkText::SetTranslator(Reordering);
    EXPECT_EQ(LinkResult::ReadFailure(3, "the bus is stuck.").message,
              "the bus is stuck (register 3).");
    EXPECT_EQ(TARNEL_TEXT("Test", "no %1").Text("args"), "[no args]");
    LinkText::SetTranslator(nullptr);
    EXPECT_EQ(LinkResult::ReadFailure(3, "the bus is stuck.").message, english);
}
