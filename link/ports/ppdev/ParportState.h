// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the kernel knows about its parallel ports, read from /proc and /sys,
// so that a port that cannot be had is explained by its real cause: which
// driver holds it, whether a port is behind a ppdev node at all, whether
// ppdev is loaded.
class ParportState {
public:
    // `root` holds the proc and sys trees ("/" on a running system).
    explicit ParportState(std::string root = "/");

    // Whether the ppdev driver is loaded (it is listed in /proc/devices).
    bool PpdevLoaded() const;
    // Whether the kernel has the parallel port parport`number`.
    bool PortPresent(int number) const;
    // The drivers registered on parport`number` ("lp", "i2c-parport",
    // "ppdev"), each once, sorted.
    std::vector<std::string> Holders(int number) const;
    // The base addresses of the kernel's parallel ports.
    std::vector<uint16_t> Bases() const;

    // The hint for a /dev/parport`number` that could not be opened with
    // `error`; "" when there is nothing to add. `number` is -1 for a device
    // name without a port number.
    std::string OpenHint(int number, int error) const;
    // The hint for a port that was opened but could not be claimed.
    std::string ClaimHint(int number, int error) const;

private:
    std::string PortDir(int number) const;

    std::string m_root;
};
