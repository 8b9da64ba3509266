// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include "DeviceLink.h"
#include "SimEeprom.h"

// Writes `image` three times through `link` to `eeprom`, both on a clock that
// jumps now and then (a process descheduled between two polls): every write
// must succeed and leave the image in the device, and the device must have
// refused some polls meanwhile, or the stalls were never met.
inline void ExpectWritesSurviveStalls(DeviceLink& link, const SimEeprom& eeprom,
                                      const EepromImage& image) {
    for (int round = 0; round < 3; ++round) {
        const LinkResult result = link.WriteAll(image);
        ASSERT_TRUE(result) << result.message;
        EXPECT_EQ(eeprom.Memory(), image);
    }
    EXPECT_GT(eeprom.BusyRefusals(), 0);
}
