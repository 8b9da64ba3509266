// SPDX-License-Identifier: GPL-3.0-or-later
#include "PpdevPort.h"

#include <gtest/gtest.h>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "PortError.h"

namespace {
namespace fs = std::filesystem;
using Calls = std::vector<std::string>;

std::string OpenError(const std::string& device) {
    try {
        PpdevPort port(device);
    } catch (const PortError& error) {
        return error.what();
    }
    return "";
}

// Plays the kernel for a PpdevPort: records each call by name and fails the
// ones named in `failures` with their error number. Its proc tree has port
// parport0 held by lp.
class RecordingPpdev : public PpdevSystem {
public:
    RecordingPpdev() : PpdevSystem(Tree()) {}

    int Open(const std::string&, int& fd) override {
        fd = 7;
        return Record("open");
    }
    int Ioctl(int fd, unsigned long request, void*) override {
        EXPECT_EQ(fd, 7);
        static const std::map<unsigned long, std::string> names = {
            {PPEXCL, "PPEXCL"},   {PPCLAIM, "PPCLAIM"},       {PPRELEASE, "PPRELEASE"},
            {PPWDATA, "PPWDATA"}, {PPWCONTROL, "PPWCONTROL"}, {PPRSTATUS, "PPRSTATUS"}};
        return Record(names.at(request));
    }
    int Close(int fd) override {
        EXPECT_EQ(fd, 7);
        return Record("close");
    }

    Calls calls;
    std::map<std::string, int> failures;

private:
    static std::string Tree() {
        const fs::path root = fs::path(TARNEL_TEST_TMP) / "ppdev-lp";
        fs::create_directories(root / "proc/sys/dev/parport/parport0/devices/lp");
        std::ofstream(root / "proc/devices") << "Character devices:\n 99 ppdev\n";
        return root.string();
    }
    int Record(const std::string& call) {
        calls.push_back(call);
        return failures.count(call) != 0 ? failures.at(call) : 0;
    }
};

TEST(PpdevPortTest, ThePortIsClaimedExclusivelyThenReleasedAndClosedEvenWhenReleaseFails) {
    for (const std::string failing : {"", "PPRELEASE", "close"}) {
        RecordingPpdev kernel;
        kernel.failures[failing] = EIO;
        {
            PpdevPort port("/dev/parport0", kernel);
            EXPECT_EQ(kernel.calls, (Calls{"open", "PPEXCL", "PPCLAIM"}));
            port.WriteData(0x80);
            port.WriteControl(0x04);
            port.ReadStatus();
        }
        EXPECT_EQ(kernel.calls, (Calls{"open", "PPEXCL", "PPCLAIM", "PPWDATA", "PPWCONTROL",
                                       "PPRSTATUS", "PPRELEASE", "close"}))
            << failing;
    }
}

TEST(PpdevPortTest, AFailedOpenOrClaimClosesWhatWasOpenedAndSaysWhy) {
    struct Case {
        std::string failing;
        int error;
        Calls calls;
        std::string message;
    };
    for (const Case& c : {
             Case{"open", EACCES, {"open"}, "Cannot open the parallel port /dev/parport0: "},
             Case{"PPEXCL", EINVAL, {"open", "PPEXCL", "close"}, "Cannot claim the parallel"},
             Case{"PPCLAIM",
                  ENXIO,
                  {"open", "PPEXCL", "PPCLAIM", "close"},
                  "The lp printer driver holds the port: unload it with sudo modprobe -r lp."},
         }) {
        RecordingPpdev kernel;
        kernel.failures[c.failing] = c.error;
        try {
            PpdevPort port("/dev/parport0", kernel);
            ADD_FAILURE() << c.failing << " failing was not reported";
        } catch (const PortError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
        EXPECT_EQ(kernel.calls, c.calls) << c.failing;
    }
}

TEST(PpdevPortTest, APortThatGoesAwayDuringTheOperationSaysSo) {
    for (const int error : {ENODEV, EIO}) {
        RecordingPpdev kernel;
        kernel.failures["PPRSTATUS"] = error;
        {
            PpdevPort port("/dev/parport0", kernel);
            try {
                port.ReadStatus();
                ADD_FAILURE() << "the failed read was not reported";
            } catch (const PortError& failure) {
                const std::string message = failure.what();
                EXPECT_NE(message.find("Cannot read from the parallel port /dev/parport0"),
                          std::string::npos);
                EXPECT_NE(message.find("went away during the operation"), std::string::npos)
                    << message;
                EXPECT_EQ(message.find("modprobe"), std::string::npos) << message;
            }
        }
        EXPECT_EQ(kernel.calls.back(), "close");
    }
}

TEST(PpdevPortTest, ADeviceThatIsNotAParallelPortIsRefusedWithAReason) {
    // Refused before it is opened: opening some device nodes has effects.
    const std::string message = OpenError("/dev/null");
    EXPECT_NE(message.find("Cannot open the parallel port /dev/null"), std::string::npos)
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
