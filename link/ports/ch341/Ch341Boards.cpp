// SPDX-License-Identifier: GPL-3.0-or-later
#include "Ch341Boards.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "Ch341Protocol.h"
#include "KernelFiles.h"
#include "LinkText.h"
#include "PortError.h"
#include "PortNameError.h"

using KernelFiles::FirstLine;

namespace {
unsigned HexFile(const std::string& path) {
    return static_cast<unsigned>(std::strtoul(FirstLine(path).c_str(), nullptr, 16));
}
}  // namespace

std::vector<Ch341Board> Ch341Boards::WithProduct(unsigned product) const {
    std::vector<Ch341Board> boards;
    std::error_code error;
    const std::filesystem::path devices = std::filesystem::path(m_root) / "bus/usb/devices";
    for (const auto& entry : std::filesystem::directory_iterator(devices, error)) {
        // Interfaces ("1-4:1.0") and root hubs ("usb1") are no boards.
        const std::string place = entry.path().filename().string();
        if (place.find(':') != std::string::npos || place.compare(0, 3, "usb") == 0) {
            continue;
        }
        const std::string dir = entry.path().string();
        if (HexFile(dir + "/idVendor") != Ch341Protocol::kVendorId ||
            HexFile(dir + "/idProduct") != product) {
            continue;
        }
        boards.push_back({place, std::atoi(FirstLine(dir + "/busnum").c_str()),
                          std::atoi(FirstLine(dir + "/devnum").c_str())});
    }
    std::sort(boards.begin(), boards.end(), [](const Ch341Board& a, const Ch341Board& b) {
        return std::tie(a.bus, a.place) < std::tie(b.bus, b.place);
    });
    return boards;
}

std::vector<Ch341Board> Ch341Boards::List() const {
    return WithProduct(Ch341Protocol::kProductId);
}

std::string Ch341Boards::OnlyPlace() const {
    const std::vector<Ch341Board> boards = List();
    if (boards.size() == 1) {
        return boards.front().place;
    }
    if (boards.empty()) {
        const bool serial = !WithProduct(Ch341Protocol::kSerialProductId).empty();
        throw PortError((serial ? TARNEL_TEXT("Ch341Boards",
                                              "No CH341A programmer is plugged in (no USB device "
                                              "1a86:5512); a CH341 in its serial mode (1a86:5523) "
                                              "is: set the board's jumper to I2C/SPI and plug it "
                                              "in again.")
                                : TARNEL_TEXT("Ch341Boards",
                                              "No CH341A programmer is plugged in (no USB device "
                                              "1a86:5512): plug it in; lsusb lists what is on the "
                                              "USB."))
                            .Text());
    }
    std::string names;
    for (const Ch341Board& board : boards) {
        names += (names.empty() ? "" : ", ") + ("ch341:" + board.place);
    }
    throw PortNameError(TARNEL_TEXT("Ch341Boards",
                                    "Several CH341A programmers are plugged in: %1. Name the one "
                                    "to use with --port ch341:BUS-PORTS.")
                            .Text(names));
}
