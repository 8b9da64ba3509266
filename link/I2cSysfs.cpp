#include "I2cSysfs.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {
namespace fs = std::filesystem;

constexpr unsigned long kPciClassSmbus = 0x0C05;  // serial bus controller, SMBus

// The first line of a small text file, or "".
std::string FirstLine(const fs::path& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

std::string AdapterId(int number) {
    return "i2c-" + std::to_string(number);
}

// The adapter's device folder with every link resolved, or "" when sysfs
// does not hold it.
fs::path AdapterDevice(const fs::path& root, int number) {
    std::error_code error;
    for (const fs::path& link : {root / "bus/i2c/devices" / AdapterId(number),
                                 root / "class/i2c-dev" / AdapterId(number) / "device"}) {
        const fs::path device = fs::canonical(link, error);
        if (!error) {
            return device;
        }
    }
    return {};
}

bool IsPciDevice(const fs::path& device) {
    std::error_code error;
    return fs::read_symlink(device / "subsystem", error).filename() == "pci";
}
}  // namespace

I2cSysfs::I2cSysfs(std::string root) : m_root(std::move(root)) {}

std::string I2cSysfs::Name(int number) const {
    const std::string name =
        FirstLine(fs::path(m_root) / "class/i2c-dev" / AdapterId(number) / "name");
    return name.empty()
               ? FirstLine(fs::path(m_root) / "bus/i2c/devices" / AdapterId(number) / "name")
               : name;
}

bool I2cSysfs::IsHostSmbus(int number) const {
    if (Name(number).rfind("SMBus", 0) == 0) {
        return true;
    }
    // The adapter hangs below the controller that drives it: a PCI SMBus
    // function directly, or through the multiplexers that split its bus.
    std::error_code error;
    const fs::path top = fs::canonical(m_root, error);
    fs::path device = AdapterDevice(m_root, number);
    for (; !device.empty() && device != top && device != device.parent_path();
         device = device.parent_path()) {
        if (IsPciDevice(device)) {
            const unsigned long pciClass =
                std::strtoul(FirstLine(device / "class").c_str(), nullptr, 16);
            return (pciClass >> 8) == kPciClassSmbus;
        }
    }
    return false;
}
