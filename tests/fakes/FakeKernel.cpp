// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeKernel.h"

#include <unistd.h>

#include <fstream>

#include "FakeI2cDev.h"
#include "FakePortIo.h"
#include "FakePpdev.h"
#include "PortSession.h"
#include "SimSwitch.h"

namespace fs = std::filesystem;

FakeKernel::FakeKernel(const std::string& name)
    : m_root(fs::path(TARNEL_TEST_TMP) / (name + "-" + std::to_string(::getpid()))),
      m_sysfs(name + "-sys") {
    fs::remove_all(m_root);
    fs::create_directories(m_root / "dev");
    std::ofstream(m_root / "dev/i2c-1") << "";
    m_sysfs.AddAdapter(1, "i2c-tiny-usb at bus 001 device 002", "usb1/1-1/1-1:1.0");
}

FakeKernel::~FakeKernel() {
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
}

void FakeKernel::PlayFor(PortSession& session) const {
    SimEeprom& eeprom = session.Simulation().Eeprom();
    session.SetPpdevSystem(std::make_unique<FakePpdev>(eeprom, m_root.string()));
    session.SetIoSystem(std::make_unique<FakePortIo>(eeprom, (m_root / "lock").string()));
    session.SetDevRoot((m_root / "dev").string());
    session.SetSysfsRoot(m_sysfs.Root());
    session.SetI2cDevOpener([&session](int number, const std::string& devDir,
                                       const std::string& sysDir, const std::string& deviceName) {
        return std::make_unique<FakeI2cDev>(session.Simulation().OpenAdapter(""), number, devDir,
                                            sysDir, deviceName);
    });
}
