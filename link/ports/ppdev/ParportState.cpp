// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParportState.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "LinkText.h"

namespace {
namespace fs = std::filesystem;

// The first number in a small text file, or -1.
long FirstNumber(const fs::path& path) {
    std::ifstream in(path);
    long number = -1;
    in >> number;
    return in ? number : -1;
}

std::string Port(int number) {
    return "parport" + std::to_string(number);
}

// "lp", "i2c-parport", "ppdev0": a device on a port is named after its
// driver, ppdev's with the port's number after it.
std::string DriverOf(std::string device) {
    while (!device.empty() && std::isdigit(static_cast<unsigned char>(device.back()))) {
        device.pop_back();
    }
    return device;
}
}  // namespace

ParportState::ParportState(std::string root) : m_root(std::move(root)) {}

std::string ParportState::PortDir(int number) const {
    return (fs::path(m_root) / "proc/sys/dev/parport" / Port(number)).string();
}

bool ParportState::PpdevLoaded() const {
    std::ifstream in(fs::path(m_root) / "proc/devices");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string major;
        std::string name;
        if (words >> major >> name && name == "ppdev") {
            return true;
        }
    }
    return false;
}

bool ParportState::PortPresent(int number) const {
    std::error_code error;
    return number >= 0 &&
           (fs::is_directory(PortDir(number), error) ||
            fs::exists(fs::path(m_root) / "sys/bus/parport/devices" / Port(number), error));
}

std::vector<std::string> ParportState::Holders(int number) const {
    std::vector<std::string> drivers;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(PortDir(number)) / "devices", error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory(error)) {
            drivers.push_back(DriverOf(name));
        }
    }
    std::sort(drivers.begin(), drivers.end());
    drivers.erase(std::unique(drivers.begin(), drivers.end()), drivers.end());
    return drivers;
}

std::vector<uint16_t> ParportState::Bases() const {
    std::vector<uint16_t> bases;
    std::error_code error;
    for (const auto& entry :
         fs::directory_iterator(fs::path(m_root) / "proc/sys/dev/parport", error)) {
        const long base = FirstNumber(entry.path() / "base-addr");
        if (base > 0 && base <= 0xFFFF) {
            bases.push_back(static_cast<uint16_t>(base));
        }
    }
    std::sort(bases.begin(), bases.end());
    return bases;
}

std::string ParportState::OpenHint(int number, int error) const {
    switch (error) {
        case EACCES:
        case EPERM:
            return TARNEL_TEXT("ParportState",
                               "Add your user to group lp (sudo usermod -aG lp $USER) and log in "
                               "again.")
                .Text();
        case ENOENT:
        case ENODEV:
        case ENXIO:
            if (!PpdevLoaded()) {
                return (PortPresent(number)
                            ? TARNEL_TEXT("ParportState",
                                          "The ppdev driver is not loaded: sudo modprobe ppdev.")
                            : TARNEL_TEXT("ParportState",
                                          "The ppdev driver is not loaded: sudo modprobe "
                                          "parport_pc ppdev."))
                    .Text();
            }
            if (number < 0 || Bases().empty()) {
                return TARNEL_TEXT("ParportState",
                                   "This machine has no such parallel port, or its driver is not "
                                   "loaded (sudo modprobe parport_pc ppdev).")
                    .Text();
            }
            return TARNEL_TEXT("ParportState",
                               "This machine has no parallel port %1 (tarnel-cli list-ports lists "
                               "the ports present).")
                .Text(Port(number));
        case ENOTTY:
        case EINVAL:
            return TARNEL_TEXT("ParportState", "It is not a parallel-port device.").Text();
        default:
            return "";
    }
}

std::string ParportState::ClaimHint(int number, int error) const {
    if (error != ENXIO && error != EBUSY) {
        return OpenHint(number, error);
    }
    if (number < 0) {
        return TARNEL_TEXT("ParportState", "Another driver may hold the port.").Text();
    }
    if (!PortPresent(number)) {
        return TARNEL_TEXT("ParportState",
                           "No parallel port is behind /dev/%1: the kernel has no port %1; load "
                           "the port's driver (sudo modprobe parport_pc).")
            .Text(Port(number));
    }
    const std::vector<std::string> holders = Holders(number);
    if (std::find(holders.begin(), holders.end(), "lp") != holders.end()) {
        return TARNEL_TEXT("ParportState",
                           "The lp printer driver holds the port: unload it with sudo modprobe -r "
                           "lp.")
            .Text();
    }
    if (std::find(holders.begin(), holders.end(), "ppdev") != holders.end()) {
        return TARNEL_TEXT("ParportState",
                           "Another program holds the port through ppdev; close it and try again.")
            .Text();
    }
    if (!holders.empty()) {
        return TARNEL_TEXT("ParportState",
                           "The kernel driver %1 holds the port; unload it if nothing needs it "
                           "(sudo modprobe -r %1).")
            .Text(holders.front());
    }
    return TARNEL_TEXT("ParportState", "Another driver may hold the port (see %1/devices).")
        .Text(PortDir(number));
}
