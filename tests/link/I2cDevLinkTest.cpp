#include "I2cDevLink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "EepromLink.h"
#include "FakeClock.h"
#include "I2cDevAdapter.h"
#include "PortError.h"
#include "SimEeprom.h"
#include "SimI2cAdapter.h"
#include "SimPort.h"

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
class I2cDevLinkTest : public ::testing::Test {
protected:
    FakeClock clock{microseconds(100)};
    SimEeprom eeprom{clock};
    SimI2cAdapter::Faults faults;
    int transfers = 0;

    I2cDevLink Link() {
        return I2cDevLink(std::make_unique<SimI2cAdapter>(eeprom, faults, transfers), clock);
    }
};

TEST_F(I2cDevLinkTest, ReadAllIsOneCombinedTransfer) {
    eeprom.Memory() = Distinct();
    EepromImage image{};
    ASSERT_TRUE(Link().ReadAll(image));
    EXPECT_EQ(image, Distinct());
    EXPECT_EQ(transfers, 1);
}

TEST_F(I2cDevLinkTest, WriteAllPollsOutEveryWriteCycle) {
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

TEST_F(I2cDevLinkTest, TheSameImageOverEitherLinkGivesTheSameDevice) {
    ASSERT_TRUE(Link().WriteAll(Distinct()));
    SimEeprom other;
    SimPort port(other);
    ASSERT_TRUE(EepromLink(port).WriteAll(Distinct()));
    EXPECT_EQ(eeprom.Memory(), other.Memory());
}

TEST_F(I2cDevLinkTest, AnAbsentDeviceFailsWithinTheBoundAndLeavesTheDestination) {
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

TEST_F(I2cDevLinkTest, ADriverHoldingTheAddressStopsEveryOperationBeforeAnyTransfer) {
    faults.driverBound = true;
    EepromImage image = Distinct();
    const LinkResult read = Link().ReadAll(image);
    EXPECT_NE(read.message.find("at24 holds address 0x50"), std::string::npos) << read.message;
    EXPECT_NE(read.message.find("unbind"), std::string::npos) << read.message;
    EXPECT_FALSE(Link().WriteAll(Distinct()));
    EXPECT_EQ(transfers, 0);
    EXPECT_EQ(image, Distinct());
}

TEST_F(I2cDevLinkTest, AnAdapterWithoutCombinedTransfersIsRefused) {
    faults.noCombinedTransfers = true;
    EepromImage image{};
    const LinkResult read = Link().ReadAll(image);
    EXPECT_NE(read.message.find("cannot do combined transfers"), std::string::npos) << read.message;
    EXPECT_EQ(transfers, 0);
}

TEST_F(I2cDevLinkTest, ATransferFailingMidwayNamesItsRegister) {
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
}

TEST_F(I2cDevLinkTest, ARefusedDataByteIsAFailureNotAPoll) {
    eeprom.GetFaults().dataNotAcknowledged = true;
    const LinkResult result = Link().WriteAll(Distinct());
    EXPECT_EQ(result.failedRegister, 0);
    EXPECT_EQ(transfers, 1);
    EXPECT_EQ(eeprom.CommittedBytes(), 0);
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
    I2cDevAdapter adapter(7, dir.string(), dir.string());
    EXPECT_EQ(adapter.Name(), (dir / "i2c-7").string());
    EXPECT_THROW(adapter.Functions(), PortError);
    EepromImage image = Distinct();
    const LinkResult read =
        I2cDevLink(std::make_unique<I2cDevAdapter>(7, dir.string(), dir.string())).ReadAll(image);
    EXPECT_NE(read.message.find("what it can do"), std::string::npos) << read.message;
    EXPECT_EQ(image, Distinct());
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
    const std::string held = adapter.AddressHeldBy(0x50);
    EXPECT_NE(held.find("the kernel driver at24 holds address 0x50"), std::string::npos) << held;
    EXPECT_NE(held.find("echo 3-0050 | sudo tee /sys/bus/i2c/drivers/at24/unbind"),
              std::string::npos)
        << held;
}

}  // namespace
