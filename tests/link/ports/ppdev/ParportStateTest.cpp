// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParportState.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "IoPort.h"
#include "PortNameError.h"

namespace {
namespace fs = std::filesystem;

// A proc and sys tree as the kernel shows it: ppdev loaded or not, and port
// parport0 at 0x378 with the devices registered on it.
class FakeKernel {
public:
    explicit FakeKernel(const std::string& name) : m_root(fs::path(TARNEL_TEST_TMP) / name) {
        fs::remove_all(m_root);
        fs::create_directories(m_root / "proc");
    }
    FakeKernel& Ppdev() {
        std::ofstream(m_root / "proc/devices") << "Character devices:\n  1 mem\n 99 ppdev\n";
        return *this;
    }
    FakeKernel& Port(const std::string& base = "888\t1912") {
        fs::create_directories(Dir() / "devices");
        std::ofstream(Dir() / "devices/active") << "none\n";
        std::ofstream(Dir() / "base-addr") << base << "\n";
        return *this;
    }
    FakeKernel& Device(const std::string& name) {
        fs::create_directories(Dir() / "devices" / name);
        std::ofstream(Dir() / "devices" / name / "timeslice") << "200\n";
        return *this;
    }
    ParportState State() const { return ParportState(m_root.string()); }

private:
    fs::path Dir() const { return m_root / "proc/sys/dev/parport/parport0"; }
    fs::path m_root;
};

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(ParportStateTest, AClaimRefusedNamesTheDriverThatHoldsThePort) {
    const std::string lp =
        FakeKernel("claim-lp").Ppdev().Port().Device("lp").State().ClaimHint(0, ENXIO);
    EXPECT_TRUE(Has(lp, "lp printer driver") && Has(lp, "sudo modprobe -r lp")) << lp;

    const std::string i2c =
        FakeKernel("claim-i2c").Ppdev().Port().Device("i2c-parport").State().ClaimHint(0, ENXIO);
    EXPECT_TRUE(Has(i2c, "i2c-parport holds the port")) << i2c;
    EXPECT_FALSE(Has(i2c, "-r lp")) << i2c;

    const std::string ppdev =
        FakeKernel("claim-ppdev").Ppdev().Port().Device("ppdev0").State().ClaimHint(0, EBUSY);
    EXPECT_TRUE(Has(ppdev, "Another program holds the port through ppdev")) << ppdev;

    const std::string none = FakeKernel("claim-none").Ppdev().Port().State().ClaimHint(0, ENXIO);
    EXPECT_FALSE(Has(none, "-r lp")) << none;
}

TEST(ParportStateTest, AClaimWithNoPortBehindTheNodeSaysToLoadThePortDriver) {
    const std::string hint = FakeKernel("claim-noport").Ppdev().State().ClaimHint(0, ENXIO);
    EXPECT_TRUE(Has(hint, "No parallel port is behind /dev/parport0")) << hint;
    EXPECT_TRUE(Has(hint, "sudo modprobe parport_pc")) << hint;
    EXPECT_FALSE(Has(hint, "-r lp")) << hint;
}

TEST(ParportStateTest, AnOpenRefusedTellsWhichDriverToLoad) {
    const std::string noPpdev = FakeKernel("open-noppdev").Port().State().OpenHint(0, ENXIO);
    EXPECT_TRUE(Has(noPpdev, "sudo modprobe ppdev")) << noPpdev;
    const std::string nothing = FakeKernel("open-nothing").State().OpenHint(0, ENOENT);
    EXPECT_TRUE(Has(nothing, "sudo modprobe parport_pc ppdev")) << nothing;
    const std::string otherPort =
        FakeKernel("open-other").Ppdev().Port().State().OpenHint(1, ENOENT);
    EXPECT_TRUE(Has(otherPort, "no parallel port parport1")) << otherPort;
    const std::string denied = FakeKernel("open-denied").Ppdev().Port().State().OpenHint(0, EACCES);
    EXPECT_TRUE(Has(denied, "usermod -aG lp")) << denied;
}

TEST(ParportStateTest, IoTakesOnlyTheBasesOfParallelPorts) {
    const fs::path root = fs::path(TARNEL_TEST_TMP) / "io-bases";
    FakeKernel("io-bases").Ppdev().Port("1000\t0");  // a PCI card's port at 0x3E8
    EXPECT_EQ(ParportState(root.string()).Bases(), std::vector<uint16_t>{0x3E8});
    for (const uint16_t base : {0x378, 0x278, 0x3BC, 0x3E8}) {
        EXPECT_NO_THROW(IoPort::CheckBase(base, root.string())) << base;
    }
    for (const uint16_t base : {0x0, 0x70, 0xCF8, 0x379}) {
        EXPECT_THROW(IoPort::CheckBase(base, root.string()), PortNameError) << base;
    }
}

}  // namespace
