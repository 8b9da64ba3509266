#include "PortDiscovery.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "I2cSysfs.h"

namespace {
namespace fs = std::filesystem;

// The first line of a small text file, or "".
std::string FirstLine(const fs::path& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

// Device numbers of the entries of `dir` named `prefix` followed by digits.
std::vector<int> Numbered(const std::string& dir, const std::string& prefix) {
    std::vector<int> numbers;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(dir, error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0 || name.size() == prefix.size() ||
            name.size() > prefix.size() + 5) {
            continue;
        }
        const std::string digits = name.substr(prefix.size());
        if (digits.find_first_not_of("0123456789") == std::string::npos) {
            numbers.push_back(std::stoi(digits));
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}
}  // namespace

std::vector<PortInfo> PortDiscovery::List(const std::string& devDir, const std::string& sysDir,
                                          const std::string& procDir) {
    std::vector<PortInfo> ports;
    for (int n : Numbered(devDir, "parport")) {
        const std::string id = "parport" + std::to_string(n);
        const std::string base =
            FirstLine(fs::path(procDir) / "sys/dev/parport" / id / "base-addr");
        std::string description = "parallel port";
        char* end = nullptr;
        const unsigned long address = std::strtoul(base.c_str(), &end, 10);
        if (end != base.c_str() && address != 0) {
            char hex[24];
            std::snprintf(hex, sizeof hex, " at 0x%lx", address);
            description += hex;
        }
        ports.push_back({devDir + "/" + id, description});
    }
    const I2cSysfs sysfs(sysDir);
    for (int n : Numbered(devDir, "i2c-")) {
        const std::string name = sysfs.Name(n);
        ports.push_back({"i2c:" + devDir + "/i2c-" + std::to_string(n),
                         name.empty() ? "I2C adapter" : name, !sysfs.IsHostSmbus(n)});
    }
    return ports;
}
