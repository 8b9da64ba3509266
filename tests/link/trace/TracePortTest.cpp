// SPDX-License-Identifier: GPL-3.0-or-later
#include "TracePort.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "EepromLink.h"
#include "RecordingPort.h"
#include "SimEeprom.h"
#include "SimPort.h"

namespace {

namespace fs = std::filesystem;

EepromImage Distinct() {
    EepromImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(0x80 + i);
    }
    return image;
}

fs::path TraceFile(const std::string& name) {
    const fs::path dir = fs::path(TARNEL_TEST_TMP) / "trace";
    fs::create_directories(dir);
    return dir / name;
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(TracePortTest, TracingAddsOnlyStatusReadsToTheTraffic) {
    SimEeprom plainEeprom;
    SimPort plainSim(plainEeprom);
    RecordingPort plain(&plainSim);
    EepromImage a{};
    ASSERT_TRUE(EepromLink(plain).ReadAll(a));

    SimEeprom tracedEeprom;
    SimPort tracedSim(tracedEeprom);
    RecordingPort inner(&tracedSim);
    VcdWriter writer(TraceFile("reads.vcd").string());
    TracePort traced(inner, writer);
    EepromImage b{};
    ASSERT_TRUE(EepromLink(traced).ReadAll(b));

    EXPECT_EQ(a, b);
    EXPECT_EQ(inner.WriteList(), plain.WriteList());
    EXPECT_EQ(inner.Count(PortEvent::Kind::Delay), 2911);
    EXPECT_EQ(inner.Count(PortEvent::Kind::Status), plain.Count(PortEvent::Kind::Status) + 2911);
}

TEST(TracePortTest, TheVcdDeclaresSclAndSda) {
    const fs::path file = TraceFile("header.vcd");
    {
        SimEeprom eeprom;
        SimPort sim(eeprom);
        VcdWriter writer(file.string());
        TracePort traced(sim, writer);
        I2cBus(traced).Start();
    }
    const std::string text = Slurp(file);
    EXPECT_NE(text.find("$var wire 1 c SCL $end"), std::string::npos) << text;
    EXPECT_NE(text.find("$var wire 1 d SDA $end"), std::string::npos) << text;
    EXPECT_NE(text.find("$enddefinitions $end"), std::string::npos) << text;
}

}  // namespace

namespace {

// Runs Debian's sigrok-cli over a trace with the I2C and 24xx EEPROM decoders.
std::string DecodeWithSigrok(const fs::path& vcd) {
    const std::string command = std::string(TARNEL_SIGROK_CLI) + " -I vcd -i '" + vcd.string() +
                                "' -P i2c:scl=SCL:sda=SDA,eeprom24xx -A eeprom24xx 2>&1";
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            output.append(buffer, n);
        }
        ::pclose(pipe);
    }
    return output;
}

fs::path TraceOf(const std::string& name, bool write, int pageSize = 1) {
    const fs::path file = TraceFile(name);
    SimEeprom eeprom;
    eeprom.Memory() = Distinct();
    SimPort sim(eeprom);
    VcdWriter writer(file.string());
    TracePort traced(sim, writer);
    EepromLink link(traced);
    EepromImage image{};
    const bool ok = write ? link.WriteAll(Distinct(), {}, pageSize).ok : link.ReadAll(image).ok;
    EXPECT_TRUE(ok);
    return file;
}

// The decoder's lines that report whole EEPROM transactions.
std::vector<std::string> Transactions(const std::string& decoded) {
    std::vector<std::string> lines;
    std::istringstream in(decoded);
    for (std::string line; std::getline(in, line);) {
        if (line.find("read (addr=") != std::string::npos ||
            line.find("write (addr=") != std::string::npos) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::string Hex(uint8_t value) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", value);
    return text;
}

TEST(TracePortTest, SigrokDecodesReadAllAsOneSequentialReadOf128Bytes) {
    ASSERT_STRNE(TARNEL_SIGROK_CLI, "") << "sigrok-cli was not found when the build was configured";
    const auto lines = Transactions(DecodeWithSigrok(TraceOf("readall.vcd", false)));
    std::string expected = "eeprom24xx-1: Sequential random read (addr=00, 128 bytes):";
    for (uint8_t value : Distinct()) {
        expected.append(" ").append(Hex(value));
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], expected);
}

TEST(TracePortTest, SigrokDecodesWriteAllAs128ByteWrites) {
    ASSERT_STRNE(TARNEL_SIGROK_CLI, "") << "sigrok-cli was not found when the build was configured";
    const auto lines = Transactions(DecodeWithSigrok(TraceOf("writeall.vcd", true)));
    ASSERT_EQ(lines.size(), 128u);
    for (std::size_t reg = 0; reg < lines.size(); ++reg) {
        EXPECT_EQ(lines[reg], "eeprom24xx-1: Byte write (addr=" + Hex(static_cast<uint8_t>(reg)) +
                                  ", 1 byte): " + Hex(Distinct()[reg]));
    }
}

TEST(TracePortTest, SigrokDecodesPageWritesAsSixteenWritesOfEightBytes) {
    ASSERT_STRNE(TARNEL_SIGROK_CLI, "") << "sigrok-cli was not found when the build was configured";
    const auto lines = Transactions(DecodeWithSigrok(TraceOf("pagewrites.vcd", true, 8)));
    ASSERT_EQ(lines.size(), 16u);
    for (std::size_t page = 0; page < lines.size(); ++page) {
        std::string expected =
            "eeprom24xx-1: Page write (addr=" + Hex(static_cast<uint8_t>(page * 8)) + ", 8 bytes):";
        for (std::size_t k = 0; k < 8; ++k) {
            expected.append(" ").append(Hex(Distinct()[page * 8 + k]));
        }
        EXPECT_EQ(lines[page], expected);
    }
}

}  // namespace
