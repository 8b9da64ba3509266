// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

// A sysfs tree under the tests' temporary folder, laid out as the kernel lays
// out I2C adapters: device folders under devices/ with their subsystem links,
// bus/i2c/devices/i2c-N linking to the adapter, class/i2c-dev/i2c-N with its
// name.
class FakeSysfs {
public:
    // A fresh, empty tree in a folder of the temporary folder named after
    // `name` and this process; removed again with the object.
    explicit FakeSysfs(const std::string& name);
    ~FakeSysfs();
    FakeSysfs(const FakeSysfs&) = delete;
    FakeSysfs& operator=(const FakeSysfs&) = delete;

    std::string Root() const { return m_root.string(); }
    // Adds the device devices/`path` of bus `subsystem`; a PCI device gets
    // its `pciClass` ("0x0c0500").
    void AddDevice(const std::string& path, const std::string& subsystem,
                   const std::string& pciClass = "");
    // Adds adapter i2c-`number` named `name` below devices/`parent`.
    void AddAdapter(int number, const std::string& name, const std::string& parent);

private:
    std::filesystem::path m_root;
};
