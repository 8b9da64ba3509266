// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "PpdevSystem.h"
#include "SimPort.h"

// Plays the kernel's ppdev for a PpdevPort: one parallel port, parport0,
// whose register ioctls are the accesses of a SimPort on `eeprom`. Its proc
// tree below `root` lists ppdev and the port; a claim shows there as the
// device ppdev0 until the claiming open is closed, and while it does another
// open's PPCLAIM fails with ENXIO, as the kernel refuses a second exclusive
// user. Fakes on one `root` so meet each other as two processes do.
class FakePpdev : public PpdevSystem {
public:
    FakePpdev(SimEeprom& eeprom, const std::string& root);

    int Open(const std::string& path, int& fd) override;
    int Ioctl(int fd, unsigned long request, void* argument) override;
    int Close(int fd) override;

private:
    std::filesystem::path ClaimDir() const;

    SimPort m_port;
    int m_lastFd = 2;
    int m_claimingFd = -1;
};
