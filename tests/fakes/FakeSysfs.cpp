// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSysfs.h"

#include <unistd.h>

#include <fstream>

namespace fs = std::filesystem;

// CTest runs the tests of one fixture in parallel processes: the process id
// keeps their trees apart.
FakeSysfs::FakeSysfs(const std::string& name)
    : m_root(fs::path(TARNEL_TEST_TMP) / (name + "-" + std::to_string(::getpid()))) {
    fs::remove_all(m_root);
    fs::create_directories(m_root / "devices");
}

FakeSysfs::~FakeSysfs() {
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
}

void FakeSysfs::AddDevice(const std::string& path, const std::string& subsystem,
                          const std::string& pciClass) {
    const fs::path device = m_root / "devices" / path;
    fs::create_directories(device);
    fs::create_directories(m_root / "bus" / subsystem);
    fs::create_directory_symlink(m_root / "bus" / subsystem, device / "subsystem");
    if (!pciClass.empty()) {
        std::ofstream(device / "class") << pciClass << "\n";
    }
}

void FakeSysfs::AddAdapter(int number, const std::string& name, const std::string& parent) {
    const std::string id = "i2c-" + std::to_string(number);
    const std::string path = parent + "/" + id;
    AddDevice(path, "i2c");
    std::ofstream(m_root / "devices" / path / "name") << name << "\n";
    fs::create_directories(m_root / "bus/i2c/devices");
    fs::create_directory_symlink(m_root / "devices" / path, m_root / "bus/i2c/devices" / id);
    const fs::path classEntry = m_root / "class/i2c-dev" / id;
    fs::create_directories(classEntry);
    std::ofstream(classEntry / "name") << name << "\n";
    fs::create_directory_symlink(m_root / "devices" / path, classEntry / "device");
}
