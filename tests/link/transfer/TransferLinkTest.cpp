// SPDX-License-Identifier: GPL-3.0-or-later
#include "TransferLink.h"

#include <gtest/gtest.h>

#include <linux/i2c-dev.h>
#include <linux/i2c.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "EepromLink.h"
#include "FakeClock.h"
#include "I2cDevAdapter.h"
#include "PortError.h"
#include "SimEeprom.h"
#include "SimI2cAdapter.h"
#include "SimPort.h"
#include "StalledWrites.h"

namespace {

using std::chrono::microseconds;

EepromImage Distinct() {
    EepromImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(255 - i * 2);
    }
    return image;
}

// The i2c-dev link over the simulated adapter, which drives every transfer
// onto the same SimEeprom model the parallel-port tests use.
class TransferLinkTest : public ::testing::Test {
protected:
    FakeClock clock{microseconds(100)};
    SimEeprom eeprom{clock};
    SimI2cAdapter::Faults faults;
    int transfers = 0;

    TransferLink Link() {
        return TransferLink(std::make_unique<SimI2cAdapter>(eeprom, faults, transfers), clock);
    }
};

TEST_F(TransferLinkTest, ReadAllIsOneCombinedTransfer) {
    eeprom.Memory() = Distinct();
    EepromImage image{};
    ASSERT_TRUE(Link().ReadAll(image));
    EXPECT_EQ(image, Distinct());
    EXPECT_EQ(transfers, 1);
}

TEST_F(TransferLinkTest, WriteAllPollsOutEveryWriteCycle) {
    eeprom.SetWriteCycle(2);
    int reported = 0;
    ASSERT_TRUE(Link().WriteAll(Distinct(), [&](int written) { reported = written; }));
    EXPECT_EQ(eeprom.Memory(), Distinct());
    EXPECT_EQ(reported, 128);
    EXPECT_EQ(transfers, 128 + 127 * 2);  // no poll after the last byte
    EXPECT_EQ(eeprom.BusyRefusals(), 127 * 2);

    // The write cycle of register 127 is still running: the read waits it out.
    EepromImage image{};
    ASSERT_TRUE(Link().ReadAll(image));
    EXPECT_EQ(image, Distinct());
    EXPECT_EQ(eeprom.BusyRefusals(), 127 * 2 + 2);
}

TEST_F(TransferLinkTest, TheSameImageOverEitherLinkGivesTheSameDevice) {
    ASSERT_TRUE(Link().WriteAll(Distinct()));
    SimEeprom other;
    SimPort port(other);
    ASSERT_TRUE(EepromLink(port).WriteAll(Distinct()));
    EXPECT_EQ(eeprom.Memory(), other.Memory());
}

TEST_F(TransferLinkTest, AnAbsentDeviceFailsWithinTheBoundAndLeavesTheDestination) {
    eeprom.GetFaults().absent = true;
    EepromImage image = Distinct();
    const LinkResult read = Link().ReadAll(image);
    EXPECT_FALSE(read);
    EXPECT_NE(read.message.find("did not acknowledge its address 0x50 within 25 ms"),
              std::string::npos)
        << read.message;
    EXPECT_EQ(image, Distinct());

    const LinkResult write = Link().WriteAll(Distinct());
    EXPECT_EQ(write.failedRegister, 0);
    EXPECT_NE(write.message.find("Nothing was written"), std::string::npos) << write.message;
}

// Link and device on one virtual clock that jumps 30 ms at every seventh
// reading (a process descheduled between two polls): no write fails; a device
// busy for ever fails after exactly one poll begun past the bound.
TEST(TransferLinkStalled, StallsBetweenPollsFailNoWriteAndAnEndlessCycleStillFails) {
    FakeClock clock(microseconds(10), 7, std::chrono::milliseconds(30));
    SimEeprom eeprom(clock);
    eeprom.SetWriteCycle(std::chrono::milliseconds(5));
    SimI2cAdapter::Faults faults;
    int transfers = 0;
    TransferLink link(std::make_unique<SimI2cAdapter>(eeprom, faults, transfers), clock);
    ExpectWritesSurviveStalls(link, eeprom, Distinct());

    eeprom.GetFaults().endlessWriteCycle = true;
    transfers = 0;
    const LinkResult result = link.WriteAll(Distinct());
    EXPECT_EQ(result.failedRegister, 0);  // the last write's cycle never ends
    // A refused transfer reads no clock: the last readings are the polls' starts.
    EXPECT_EQ(clock.LateReadings(transfers, DeviceLink::kAckPollBound), 1);
}

TEST_F(TransferLinkTest, ADriverHoldingTheAddressStopsEveryOperationBeforeAnyTransfer) {
    faults.driverBound = true;
    EepromImage image = Distinct();
    const LinkResult read = Link().ReadAll(image);
    EXPECT_NE(read.message.find("at24 holds address 0x50"), std::string::npos) << read.message;
    EXPECT_NE(read.message.find("unbind"), std::string::npos) << read.message;
    EXPECT_FALSE(Link().WriteAll(Distinct()));
    EXPECT_EQ(transfers, 0);
    EXPECT_EQ(image, Distinct());
}

TEST_F(TransferLinkTest, AnAdapterWithoutCombinedTransfersIsRefused) {
    faults.noCombinedTransfers = true;
    EepromImage image{};
    const LinkResult read = Link().ReadAll(image);
    EXPECT_NE(read.message.find("cannot do combined transfers"), std::string::npos) << read.message;
    EXPECT_EQ(transfers, 0);
}

TEST_F(TransferLinkTest, ATransferFailingMidwayNamesItsRegister) {
    eeprom.SetWriteCycle(0);
    eeprom.Memory().fill(0x00);
    faults.failAfterTransfers = 50;
    const LinkResult result = Link().WriteAll(Distinct());
    EXPECT_FALSE(result);
    EXPECT_EQ(result.failedRegister, 50);
    EXPECT_NE(result.message.find("Registers 0 to 49 were written"), std::string::npos)
        << result.message;
    EXPECT_NE(result.message.find("Input/output error"), std::string::npos) << result.message;
    EXPECT_EQ(eeprom.Memory()[49], Distinct()[49]);
    EXPECT_EQ(eeprom.Memory()[50], 0x00);

    // A USB adapter unplugged midway: the device node is gone, not the bus.
    faults.failError = ENODEV;
    const LinkResult unplugged = Link().WriteAll(Distinct());
    EXPECT_NE(unplugged.message.find("went away during the operation"), std::string::npos)
        << unplugged.message;
    EXPECT_EQ(unplugged.message.find("list-ports"), std::string::npos) << unplugged.message;
}

TEST_F(TransferLinkTest, ADataLineHeldLowIsABusyBusNotAnImage) {
    eeprom.GetFaults().sdaHeldLow = true;
    EepromImage image = Distinct();
    const LinkResult read = Link().ReadAll(image);
    EXPECT_NE(read.message.find("data line may be held low"), std::string::npos) << read.message;
    EXPECT_EQ(image, Distinct());
    const LinkResult write = Link().WriteAll(Distinct());
    EXPECT_EQ(write.failedRegister, 0);
    EXPECT_EQ(eeprom.CommittedBytes(), 0);
}

TEST_F(TransferLinkTest, ARefusedDataByteIsAFailureNotAPoll) {
    eeprom.GetFaults().dataNotAcknowledged = true;
    const LinkResult result = Link().WriteAll(Distinct());
    EXPECT_EQ(result.failedRegister, 0);
    // The byte write, then the word address alone, which the device takes.
    EXPECT_EQ(transfers, 2);
    EXPECT_NE(result.message.find("did not acknowledge the data byte FF"), std::string::npos)
        << result.message;
    EXPECT_EQ(eeprom.CommittedBytes(), 0);
}

// The probe on the simulated adapter: each fault stops it at its own step
// with its own verdict, and nothing is ever written.
TEST_F(TransferLinkTest, TheProbeNamesEachFaultAndWritesNothing) {
    struct Case {
        const char* name;
        std::function<void()> fault;
        std::size_t steps;
        const char* verdict;  // of the last step
    };
    const Case cases[] = {
        {"healthy", [] {}, 3, "0x50: ok"},
        {"no combined transfers", [&] { faults.noCombinedTransfers = true; }, 1,
         "lacks I2C_FUNC_I2C"},
        {"driver bound", [&] { faults.driverBound = true; }, 2, "at24 holds address 0x50"},
        {"absent", [&] { eeprom.GetFaults().absent = true; }, 3,
         "did not acknowledge its address 0x50 within 25 ms"},
        {"sda-low", [&] { eeprom.GetFaults().sdaHeldLow = true; }, 3, "data line may be held low"},
        {"busy a while",
         [&] {
             eeprom.SetWriteCycle(3);
             Link().WriteAll(Distinct());
         },
         3, "busy at first"},
        {"nak-data", [&] { eeprom.GetFaults().dataNotAcknowledged = true; }, 3, "0x50: ok"},
        {"write-protected", [&] { eeprom.GetFaults().writeProtected = true; }, 3, "0x50: ok"},
    };
    for (const Case& c : cases) {
        faults = {};
        eeprom.GetFaults() = {};
        c.fault();
        const EepromImage before = eeprom.Memory();
        const int committed = eeprom.CommittedBytes();
        ProbeReport report;
        Link().Probe(report);
        ASSERT_EQ(report.Steps().size(), c.steps) << c.name;
        EXPECT_NE(report.Steps().back().Line().find(c.verdict), std::string::npos)
            << c.name << ": " << report.Steps().back().Line();
        EXPECT_EQ(eeprom.Memory(), before) << c.name;
        EXPECT_EQ(eeprom.CommittedBytes(), committed) << c.name;
    }
}

TEST(I2cDevAdapterTest, AMissingAdapterSaysHowToFindOne) {
    try {
        I2cDevAdapter adapter(99, "/dev");
        FAIL() << "opened /dev/i2c-99";
    } catch (const PortError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("Cannot open the I2C adapter /dev/i2c-99"), std::string::npos);
        EXPECT_NE(message.find("list-ports"), std::string::npos) << message;
    }
}

TEST(I2cDevAdapterTest, AFileThatIsNoAdapterFailsTheFirstQuestion) {
    const std::filesystem::path dir = std::filesystem::path(TARNEL_TEST_TMP) / "i2cdev";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "i2c-7") << "not a device";
    {
        I2cDevAdapter adapter(7, dir.string(), dir.string());
        EXPECT_EQ(adapter.Name(), (dir / "i2c-7").string());
        EXPECT_THROW(adapter.Functions(), PortError);
        // While it is open, a second run on it waits its turn.
        try {
            I2cDevAdapter second(7, dir.string(), dir.string());
            ADD_FAILURE() << "one adapter opened twice";
        } catch (const PortError& error) {
            EXPECT_NE(std::string(error.what()).find("is in use by another tarnel"),
                      std::string::npos)
                << error.what();
        }
    }
    EepromImage image = Distinct();
    const LinkResult read =
        TransferLink(std::make_unique<I2cDevAdapter>(7, dir.string(), dir.string())).ReadAll(image);
    EXPECT_NE(read.message.find("what it can do"), std::string::npos) << read.message;
    EXPECT_EQ(image, Distinct());

    // A name that leads to another device is refused before it is opened.
    std::filesystem::remove(dir / "i2c-8");
    std::filesystem::create_symlink("/dev/null", dir / "i2c-8");
    try {
        I2cDevAdapter other(8, dir.string(), dir.string());
        ADD_FAILURE() << "a device that is no I2C adapter was opened";
    } catch (const PortError& error) {
        EXPECT_NE(std::string(error.what()).find("is not an I2C adapter"), std::string::npos)
            << error.what();
    }
}

TEST(I2cDevAdapterTest, ADriverBoundInSysfsIsNamedWithItsUnbindPath) {
    namespace fs = std::filesystem;
    const fs::path root = fs::path(TARNEL_TEST_TMP) / "i2csys";
    fs::remove_all(root);
    fs::create_directories(root / "dev");
    std::ofstream(root / "dev/i2c-3") << "";
    fs::create_directories(root / "sys/bus/i2c/drivers/at24");
    fs::create_directories(root / "sys/bus/i2c/devices/3-0050");
    fs::create_directory_symlink(root / "sys/bus/i2c/drivers/at24",
                                 root / "sys/bus/i2c/devices/3-0050/driver");
    I2cDevAdapter adapter(3, (root / "dev").string(), (root / "sys").string());
    const std::string held = adapter.AddressHeldBy(0x50).value_or("");
    EXPECT_NE(held.find("the kernel driver at24 holds address 0x50"), std::string::npos) << held;
    EXPECT_NE(held.find("echo 3-0050 | sudo tee /sys/bus/i2c/drivers/at24/unbind"),
              std::string::npos)
        << held;
}

}  // namespace

namespace {

// The real adapter with the kernel's part played by the test: each ioctl is
// answered here and recorded.
class KernelStandIn : public I2cDevAdapter {
public:
    explicit KernelStandIn(const std::string& dir) : I2cDevAdapter(5, dir, dir) {}

    unsigned long functions = I2C_FUNC_I2C | I2C_FUNC_SMBUS_EMUL;
    bool slaveBusy = false;
    int nacksBefore = 0;  // transfers refused with ENXIO before one goes through
    int failAt = -1;      // the transfer (counted from 0) that fails with EIO
    std::vector<std::vector<i2c_msg>> transfers;  // buffers valid during the call only
    std::vector<std::vector<uint8_t>> written;    // the bytes of each first message
    std::vector<unsigned long> requests;

protected:
    int Ioctl(unsigned long request, void* argument) override {
        requests.push_back(request);
        if (request == I2C_FUNCS) {
            *static_cast<unsigned long*>(argument) = functions;
            return 0;
        }
        if (request == I2C_SLAVE) {
            return slaveBusy ? EBUSY : 0;
        }
        auto* data = static_cast<i2c_rdwr_ioctl_data*>(argument);
        transfers.emplace_back(data->msgs, data->msgs + data->nmsgs);
        written.emplace_back(data->msgs[0].buf, data->msgs[0].buf + data->msgs[0].len);
        const int index = static_cast<int>(transfers.size()) - 1;
        if (index < nacksBefore) {
            return ENXIO;
        }
        if (index == failAt) {
            return EIO;
        }
        for (std::size_t m = 0; m < data->nmsgs; ++m) {
            if ((data->msgs[m].flags & I2C_M_RD) != 0) {
                for (int k = 0; k < data->msgs[m].len; ++k) {
                    data->msgs[m].buf[k] = static_cast<uint8_t>(k ^ 0x3C);
                }
            }
        }
        return 0;
    }
};

class I2cDevAdapterKernelTest : public ::testing::Test {
protected:
    // One folder per test: CTest runs the tests of this fixture in parallel,
    // and an open adapter is locked.
    std::filesystem::path dir = std::filesystem::path(TARNEL_TEST_TMP) /
                                ::testing::UnitTest::GetInstance()->current_test_info()->name();
    FakeClock clock{microseconds(100)};
    KernelStandIn* kernel = nullptr;

    TransferLink Link() {
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "i2c-5") << "";
        auto adapter = std::make_unique<KernelStandIn>(dir.string());
        kernel = adapter.get();
        return TransferLink(std::move(adapter), clock);
    }
};

TEST_F(I2cDevAdapterKernelTest, ReadAllIsOneI2cRdwrOfAWordAddressAndA128ByteRead) {
    TransferLink link = Link();
    kernel->nacksBefore = 3;  // busy with a write cycle: polled out
    EepromImage image{};
    ASSERT_TRUE(link.ReadAll(image));
    ASSERT_EQ(kernel->transfers.size(), 4u);
    const std::vector<i2c_msg>& last = kernel->transfers.back();
    ASSERT_EQ(last.size(), 2u);
    EXPECT_EQ(last[0].addr, 0x50);
    EXPECT_EQ(last[0].flags, 0);
    EXPECT_EQ(last[0].len, 1);
    EXPECT_EQ(kernel->written.back(), std::vector<uint8_t>{0x00});
    EXPECT_EQ(last[1].addr, 0x50);
    EXPECT_EQ(last[1].flags, I2C_M_RD);
    EXPECT_EQ(last[1].len, 128);
    EXPECT_EQ(image[0], 0x3C);
    EXPECT_EQ(image[127], 127 ^ 0x3C);
}

TEST_F(I2cDevAdapterKernelTest, WriteAllSendsOneTwoByteWritePerRegister) {
    TransferLink link = Link();
    ASSERT_TRUE(link.WriteAll(Distinct()));
    ASSERT_EQ(kernel->transfers.size(), 128u);
    for (int reg : {0, 77, 127}) {
        const i2c_msg& message = kernel->transfers[reg].at(0);
        EXPECT_EQ(message.addr, 0x50);
        EXPECT_EQ(message.flags, 0);
        ASSERT_EQ(message.len, 2);
        EXPECT_EQ(kernel->written[reg],
                  (std::vector<uint8_t>{static_cast<uint8_t>(reg), Distinct()[reg]}));
    }
}

TEST_F(I2cDevAdapterKernelTest, ABusySlaveAddressMeansADriverHoldsIt) {
    TransferLink link = Link();
    kernel->slaveBusy = true;
    EepromImage image = Distinct();
    const LinkResult result = link.ReadAll(image);
    EXPECT_NE(result.message.find("a kernel driver holds address 0x50"), std::string::npos)
        << result.message;
    EXPECT_TRUE(kernel->transfers.empty());
    EXPECT_EQ(image, Distinct());
}

TEST_F(I2cDevAdapterKernelTest, MissingCombinedTransfersAndMidwayErrorsAreReported) {
    {
        TransferLink plain = Link();
        kernel->functions = I2C_FUNC_SMBUS_BYTE_DATA;
        EXPECT_NE(plain.WriteAll(Distinct()).message.find("cannot do combined transfers"),
                  std::string::npos);
        EXPECT_TRUE(kernel->transfers.empty());
    }  // the adapter is closed, and so unlocked, here

    // EIO on one byte write, then the word address alone acknowledged: only
    // an adapter that sees every acknowledge may call that a refused data
    // byte; a bridge that reports the address alone (i2c-tiny-usb) may not
    // guess, and an adapter whose node is gone was unplugged.
    struct Case {
        unsigned long functions;
        bool unplugged;
        const char* says;
        std::size_t transfers;
    };
    for (const Case& c : {
             Case{I2C_FUNC_I2C | I2C_FUNC_PROTOCOL_MANGLING, false,
                  "did not acknowledge the data byte D7", 22u},
             Case{I2C_FUNC_I2C | I2C_FUNC_SMBUS_EMUL, false, "the transfer failed on ", 21u},
             Case{I2C_FUNC_I2C | I2C_FUNC_PROTOCOL_MANGLING, true, "went away during the operation",
                  21u},
         }) {
        TransferLink refusing = Link();
        kernel->functions = c.functions;
        kernel->failAt = 20;
        if (c.unplugged) {
            std::filesystem::remove(dir / "i2c-5");
        }
        const LinkResult result = refusing.WriteAll(Distinct());
        EXPECT_EQ(result.failedRegister, 20);
        EXPECT_NE(result.message.find(c.says), std::string::npos) << result.message;
        EXPECT_EQ(kernel->transfers.size(), c.transfers);
    }
}

}  // namespace
