// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimEepromFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "EepromLink.h"
#include "I2cBus.h"
#include "PortError.h"
#include "PortFactory.h"
#include "SimPort.h"

namespace {

class SimEepromFileTest : public ::testing::Test {
protected:
    // One folder per test: CTest runs the tests of this fixture in parallel.
    std::filesystem::path dir = std::filesystem::path(TARNEL_TEST_TMP) /
                                ::testing::UnitTest::GetInstance()->current_test_info()->name();
    void SetUp() override {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    static std::vector<char> Contents(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // The message with which opening `path` fails, or "" when it opens.
    static std::string OpenError(const std::string& path) {
        try {
            SimEeprom eeprom;
            SimEepromFile file(path, eeprom);
        } catch (const PortError& error) {
            return error.what();
        }
        return "";
    }
    static EepromImage Filled(uint8_t value) {
        EepromImage image{};
        image.fill(value);
        return image;
    }
};

TEST_F(SimEepromFileTest, AMissingFileIsCreatedWithThePatternAndWritesAreSavedInPlace) {
    const auto file = dir / "switch.bin";
    SimEeprom eeprom;
    {
        SimEepromFile held(file.string(), eeprom);
        const auto created = Contents(file);
        ASSERT_EQ(created.size(), 128u);
        EXPECT_EQ(static_cast<uint8_t>(created[5]), SimEeprom::Pattern()[5]);

        SimPort port(eeprom);
        I2cBus bus(port);
        bus.Start();
        bus.SendAddress(0xA0);
        bus.AckClock();
        bus.SendByte(5);
        bus.AckClock();
        bus.SendByte(0xEE);
        bus.AckClock();
        bus.Stop();
        EXPECT_EQ(static_cast<uint8_t>(Contents(file)[5]), 0xEE);
    }
    // Changed behind the EEPROM's back, as another program would: the next
    // open reads it anew.
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(Filled(0x3C).data()), 128);
    SimEepromFile reopened(file.string(), eeprom);
    EXPECT_EQ(eeprom.Memory(), Filled(0x3C));
}

TEST_F(SimEepromFileTest, OnlyARegularFileOfExactly128BytesIsTaken) {
    const auto small = dir / "short.bin";
    std::ofstream(small, std::ios::binary) << "only a few bytes";
    EXPECT_NE(OpenError(small.string()).find("holds 16 bytes"), std::string::npos);
    EXPECT_EQ(Contents(small).size(), 16u);

    const auto large = dir / "long.bin";
    std::ofstream(large, std::ios::binary) << std::string(4096, 'x');
    EXPECT_NE(OpenError(large.string()).find("holds more than 128 bytes"), std::string::npos);

    const auto fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {std::string("/dev/zero"), fifo.string(), dir.string()}) {
        const std::string message = OpenError(path);
        EXPECT_NE(message.find(path + " is not a regular file"), std::string::npos) << message;
    }
}

TEST_F(SimEepromFileTest, ASwitchOpenInOneRunIsInUseForAnotherAndSharedAfterwards) {
    const std::string name = "sim:" + (dir / "switch.bin").string();
    PortFactory first(name);
    PortFactory second(name);
    {
        auto link = first.OpenLink();
        try {
            second.OpenLink();
            FAIL() << "a second program opened the switch while it was in use";
        } catch (const PortError& error) {
            EXPECT_NE(std::string(error.what()).find("is in use"), std::string::npos)
                << error.what();
        }
        ASSERT_TRUE(link->WriteAll(Filled(0x5A)));
    }
    // The other run's simulator saw the file at its first open; its next
    // open reads what the first run wrote.
    EepromImage read{};
    ASSERT_TRUE(second.OpenLink()->ReadAll(read));
    EXPECT_EQ(read, Filled(0x5A));
}

}  // namespace
