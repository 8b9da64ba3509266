// SPDX-License-Identifier: GPL-3.0-or-later
#include "I2cSysfs.h"

#include <cstdlib>
#include <filesystem>

#include "KernelFiles.h"
#include "LinkText.h"
#include "PortError.h"

namespace {
namespace fs = std::filesystem;
using KernelFiles::FirstLine;

constexpr unsigned long kPciClassSmbus = 0x0C05;  // serial bus controller, SMBus

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

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The adapters named `name`; when none is, those whose names begin with it.
std::vector<int> Matches(const std::vector<std::pair<int, std::string>>& adapters,
                         const std::string& name) {
    std::vector<int> equal;
    std::vector<int> beginning;
    for (const auto& [number, adapterName] : adapters) {
        if (adapterName == name) {
            equal.push_back(number);
        } else if (StartsWith(adapterName, name)) {
            beginning.push_back(number);
        }
    }
    return equal.empty() ? beginning : equal;
}
}  // namespace

I2cSysfs::I2cSysfs(std::string root) : m_root(std::move(root)) {}

std::string I2cSysfs::Name(int number) const {
    const std::string name = FirstLine(m_root + "/class/i2c-dev/" + AdapterId(number) + "/name");
    return name.empty() ? FirstLine(m_root + "/bus/i2c/devices/" + AdapterId(number) + "/name")
                        : name;
}

bool I2cSysfs::IsHostSmbus(int number) const {
    if (StartsWith(Name(number), "SMBus")) {
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
                std::strtoul(FirstLine((device / "class").string()).c_str(), nullptr, 16);
            return (pciClass >> 8) == kPciClassSmbus;
        }
    }
    return false;
}

int I2cSysfs::FindByName(const std::string& name) const {
    const std::vector<Adapter> adapters = Adapters();
    const std::vector<int> matches = Matches(adapters, name);
    if (matches.size() == 1) {
        return matches.front();
    }
    std::string present;
    for (const auto& [number, adapterName] : adapters) {
        present +=
            (present.empty() ? "" : ", ") +
            (IsHostSmbus(number)
                 ? TARNEL_TEXT("I2cSysfs", "i2c:%1 \"%2\" (the computer's own SMBus, not usable)")
                 : TARNEL_TEXT("I2cSysfs", "i2c:%1 \"%2\""))
                .Text(number, adapterName);
    }
    if (adapters.empty()) {
        present =
            TARNEL_TEXT("I2cSysfs", "none (load the i2c-dev module: sudo modprobe i2c-dev)").Text();
    }
    throw PortError((matches.empty()
                         ? TARNEL_TEXT("I2cSysfs",
                                       "No I2C adapter is named \"%1\" or has a name beginning "
                                       "with it. I2C adapters present: %2.")
                         : TARNEL_TEXT("I2cSysfs",
                                       "Several I2C adapters match \"%1\"; give more of the name, "
                                       "or the adapter's number (i2c:N). I2C adapters present: "
                                       "%2."))
                        .Text(name, present));
}

std::string I2cSysfs::NameToUse(int number) const {
    const std::vector<Adapter> adapters = Adapters();
    const std::string name = Name(number);
    for (std::size_t end = 0; !name.empty() && end != std::string::npos;) {
        end = name.find(' ', end + 1);
        const std::string words = name.substr(0, end);
        if (Matches(adapters, words) == std::vector<int>{number}) {
            return words;
        }
    }
    return {};
}

std::vector<I2cSysfs::Adapter> I2cSysfs::Adapters() const {
    std::vector<Adapter> adapters;
    for (int number : KernelFiles::Numbered(m_root + "/class/i2c-dev", "i2c-")) {
        adapters.emplace_back(number, Name(number));
    }
    return adapters;
}
