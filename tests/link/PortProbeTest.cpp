#include "PortProbe.h"

#include <gtest/gtest.h>

#include "PortFactory.h"

namespace {

TEST(PortProbeTest, OpeningThePortIsTheFirstStep) {
    PortFactory missing("/dev/parport_tarnel_absent");
    const ProbeReport failed = PortProbe::Run(missing);
    ASSERT_EQ(failed.Steps().size(), 1u);
    EXPECT_EQ(
        failed.Steps()[0].Line().rfind(
            "the port opens: FAILED: Cannot open the parallel port /dev/parport_tarnel_absent", 0),
        0u)
        << failed.Steps()[0].Line();

    for (const char* name : {"sim", "i2c:sim"}) {
        PortFactory simulated(name);
        const ProbeReport report = PortProbe::Run(simulated);
        EXPECT_TRUE(report.Passed()) << name;
        EXPECT_EQ(report.Steps().size(), std::string(name) == "sim" ? 5u : 4u) << name;
        EXPECT_EQ(report.Steps()[0].Line(), "the port opens: ok");
    }
}

}  // namespace
