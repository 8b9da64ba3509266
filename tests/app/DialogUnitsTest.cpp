// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogUnits.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogUnitsTest, BaseUnitsOfTheEightPointDialogFontAt96Dpi) {
    EXPECT_EQ(DialogUnits::X(4), 6);
    EXPECT_EQ(DialogUnits::Y(8), 13);
    EXPECT_EQ(DialogUnits::X(235), 353);  // 352.5 rounds up
    EXPECT_EQ(DialogUnits::Y(55), 89);    // 89.375
    EXPECT_EQ(DialogUnits::ToPixels(178, 7, 50, 14), QRect(267, 11, 75, 23));
}

TEST(DialogUnitsTest, SizesScaleWithTheLogicalDpi) {
    EXPECT_EQ(DialogUnits::X(4, 192), 12);
    EXPECT_EQ(DialogUnits::Y(8, 192), 26);
    EXPECT_EQ(DialogUnits::X(425, 144), 956);  // 956.25
    EXPECT_EQ(DialogUnits::X(0, 120), 0);
}

}  // namespace
