// SPDX-License-Identifier: GPL-3.0-or-later
// Page writes through both links against simulated parts of two page sizes:
// a page that fits is stored whole, a larger one wraps inside the part's
// page, which the read-back shows.
#include <gtest/gtest.h>

#include <cstdlib>

#include "DeviceLink.h"
#include "PortFactory.h"
#include "PortNameError.h"
#include "SimEeprom.h"

namespace {

EepromImage Distinct() {
    EepromImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(0x3C + i * 3);
    }
    return image;
}

// What a part of `partPage` bytes holds after page writes of `written`
// bytes: within each write the address wraps inside the part's page, so a
// later byte replaces an earlier one.
EepromImage Expected(int partPage, int written) {
    EepromImage memory = SimEeprom::Pattern();
    const EepromImage image = Distinct();
    for (int first = 0; first < 128; first += written) {
        int address = first;
        for (int k = 0; k < written; ++k) {
            memory[address] = image[first + k];
            address = (address & ~(partPage - 1)) | ((address + 1) & (partPage - 1));
        }
    }
    return memory;
}

TEST(PageWriteTest, PagesThatFitAreStoredAndLargerOnesShowInTheReadBack) {
    for (const char* port : {"sim", "i2c:sim"}) {
        for (const int partPage : {4, 8}) {
            for (const int pageSize : {1, 4, 8, 16}) {
                SCOPED_TRACE(std::string(port) + ", part page " + std::to_string(partPage) +
                             ", page writes of " + std::to_string(pageSize));
                PortFactory factory(port);
                factory.SetSimPageSize(partPage);
                factory.Simulator()->SetWriteCycle(1);
                int reported = 0;
                const LinkResult written = factory.OpenLink()->WriteAll(
                    Distinct(), [&](int count) { reported = count; }, pageSize);
                ASSERT_TRUE(written) << written.message;
                EXPECT_EQ(reported, 128);
                // One write cycle to wait out after each write but the last.
                EXPECT_EQ(factory.Simulator()->BusyRefusals(), 128 / pageSize - 1);
                EepromImage read{};
                ASSERT_TRUE(factory.OpenLink()->ReadAll(read));
                if (pageSize <= partPage) {
                    EXPECT_EQ(read, Distinct());
                } else {
                    EXPECT_NE(read, Distinct());
                    EXPECT_EQ(read, Expected(partPage, pageSize));
                }
            }
        }
    }
}

TEST(PageWriteTest, APageSizeNoPartTakesIsRefusedBeforeTheBus) {
    for (const char* port : {"sim", "i2c:sim"}) {
        PortFactory factory(port);
        for (const int pageSize : {0, 3, 32}) {
            const LinkResult result = factory.OpenLink()->WriteAll(Distinct(), {}, pageSize);
            EXPECT_FALSE(result);
            EXPECT_NE(result.message.find("a page write takes 1, 2, 4, 8 or 16 bytes"),
                      std::string::npos);
        }
        EXPECT_EQ(factory.Simulator()->Memory(), SimEeprom::Pattern());
    }
}

TEST(PageWriteTest, TheSimulatorsPageSizeComesFromTheEnvironment) {
    const std::pair<const char*, int> cases[] = {{"", 8}, {"16", 16}, {"1", 1}, {"128", 128}};
    for (const auto& [value, bytes] : cases) {
        ::setenv("TARNEL_SIM_PAGE", value, 1);
        EXPECT_EQ(PortFactory::ChooseSimPageSize(), bytes) << value;
    }
    for (const char* value : {"0", "12", "256", "8x", "-8", "99999999999999999999"}) {
        ::setenv("TARNEL_SIM_PAGE", value, 1);
        EXPECT_THROW(PortFactory::ChooseSimPageSize(), PortNameError) << value;
    }
    ::unsetenv("TARNEL_SIM_PAGE");
    EXPECT_EQ(PortFactory::ChooseSimPageSize(), SimEeprom::kDefaultPageSize);
}

}  // namespace
