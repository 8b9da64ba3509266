#include "PpdevPort.h"

#include <gtest/gtest.h>

#include "PortError.h"

namespace {

std::string OpenError(const std::string& device) {
    try {
        PpdevPort port(device);
    } catch (const PortError& error) {
        return error.what();
    }
    return "";
}

TEST(PpdevPortTest, ADeviceThatIsNotAParallelPortIsRefusedWithAReason) {
    const std::string message = OpenError("/dev/null");
    EXPECT_NE(message.find("Cannot claim the parallel port /dev/null"), std::string::npos)
        << message;
    EXPECT_NE(message.find("not a parallel-port device"), std::string::npos) << message;
}

TEST(PpdevPortTest, AMissingDeviceSuggestsLoadingTheDriver) {
    const std::string message = OpenError("/dev/parport_tarnel_absent");
    EXPECT_NE(message.find("Cannot open the parallel port /dev/parport_tarnel_absent"),
              std::string::npos)
        << message;
    EXPECT_NE(message.find("modprobe"), std::string::npos) << message;
}

}  // namespace
