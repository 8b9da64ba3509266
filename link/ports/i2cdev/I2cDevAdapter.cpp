// SPDX-License-Identifier: GPL-3.0-or-later
#include "I2cDevAdapter.h"

#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <linux/i2c.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "I2cSysfs.h"
#include "KernelFiles.h"
#include "LinkText.h"
#include "PortError.h"

namespace {
// The i2c-dev driver's character devices have this major number.
constexpr unsigned kI2cDevMajor = 89;

// What to do about a failed open, or "".
std::string HintFor(int error) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return TARNEL_TEXT("I2cDevAdapter",
                               "tarnel-cli list-ports lists the adapters present; if none is "
                               "listed, load the i2c-dev module (sudo modprobe i2c-dev).")
                .Text();
        case EACCES:
        case EPERM:
            return TARNEL_TEXT("I2cDevAdapter",
                               "Add your user to group i2c (sudo usermod -aG i2c $USER, then log "
                               "in again), or give the device to a group of yours with a udev "
                               "rule.")
                .Text();
        default:
            return "";
    }
}

// The sysfs name of the client at `address` on adapter `number` ("1-0050").
std::string ClientName(int number, uint16_t address) {
    char name[32];
    std::snprintf(name, sizeof name, "%d-%04x", number, address);
    return name;
}
}  // namespace

I2cDevAdapter::I2cDevAdapter(int number, const std::string& devDir, const std::string& sysDir,
                             const std::string& deviceName)
    : m_number(number),
      m_path(devDir + "/" + (deviceName.empty() ? "i2c-" + std::to_string(number) : deviceName)),
      m_sysDir(sysDir) {
    // The adapter is the device the path leads to, whatever its name says (a
    // link or another folder may name another one); other devices are never
    // opened, since an open alone can have effects (a watchdog starts).
    struct stat info {};
    if (::stat(m_path.c_str(), &info) == 0 && (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))) {
        if (!S_ISCHR(info.st_mode) || major(info.st_rdev) != kI2cDevMajor) {
            throw PortError(TARNEL_TEXT("I2cDevAdapter",
                                        "%1 is not an I2C adapter of the i2c-dev driver; "
                                        "tarnel-cli list-ports lists the adapters present.")
                                .Text(m_path));
        }
        m_number = static_cast<int>(minor(info.st_rdev));
    }
    const I2cSysfs sysfs(sysDir);
    if (sysfs.IsHostSmbus(m_number)) {
        const std::string name = sysfs.Name(m_number);
        throw PortError(
            TARNEL_TEXT("I2cDevAdapter",
                        "%1 is the computer's own SMBus, where the memory modules keep their SPD "
                        "data at 0x50 to 0x57; tarnel never uses it, so that a write cannot ruin "
                        "them. tarnel talks to a switch through a USB or other I2C adapter: "
                        "tarnel-cli list-ports lists the adapters present.")
                .Text(m_path + (name.empty() ? "" : " (" + name + ")")));
    }
    m_fd = ::open(m_path.c_str(), O_RDWR | O_CLOEXEC);
    if (m_fd < 0) {
        const int error = errno;
        const std::string hint = error == EACCES || error == EPERM
                                     ? KernelFiles::PermissionHint(m_path, "i2c", HintFor(error))
                                     : HintFor(error);
        throw PortError(TARNEL_TEXT("I2cDevAdapter", "Cannot open the I2C adapter %1: %2.")
                            .Text(m_path, std::strerror(error)) +
                        (hint.empty() ? "" : " " + hint));
    }
    // One tarnel at a time on an adapter: two runs (or two --port names for
    // the same adapter) would interleave their writes to one switch.
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(m_fd);
        throw PortError(error == EWOULDBLOCK
                            ? TARNEL_TEXT("I2cDevAdapter",
                                          "The I2C adapter %1 is in use by another tarnel (another "
                                          "program, or another --port naming the same adapter); "
                                          "wait until it has finished.")
                                  .Text(m_path)
                            : TARNEL_TEXT("I2cDevAdapter", "The I2C adapter %1 is in use: %2.")
                                  .Text(m_path, std::strerror(error)));
    }
}

I2cDevAdapter::~I2cDevAdapter() {
    ::close(m_fd);
}

unsigned long I2cDevAdapter::Functions() {
    unsigned long functions = 0;
    if (const int error = Ioctl(I2C_FUNCS, &functions)) {
        throw PortError(
            TARNEL_TEXT("I2cDevAdapter", "Cannot ask the I2C adapter %1 what it can do: %2.")
                .Text(m_path, std::strerror(error)));
    }
    return functions;
}

std::optional<std::string> I2cDevAdapter::AddressHeldBy(uint16_t address) {
    namespace fs = std::filesystem;
    const std::string client = ClientName(m_number, address);
    std::error_code error;
    const fs::path driverLink = fs::path(m_sysDir) / "bus/i2c/devices" / client / "driver";
    const fs::path driver = fs::read_symlink(driverLink, error);
    const std::string driverName = error ? std::string() : driver.filename().string();
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", address);
    if (!driverName.empty()) {
        return TARNEL_TEXT("I2cDevAdapter",
                           "the kernel driver %1 holds address %2 on %3; unbind it first (echo %4 "
                           "| sudo tee /sys/bus/i2c/drivers/%1/unbind), so that tarnel does not "
                           "talk over it")
            .Text(driverName, hex, m_path, client);
    }
    // A driver without a sysfs client (bound by address alone) is seen only
    // as a busy address. I2C_SLAVE takes the address's value, not a pointer
    // to it.
    if (Ioctl(I2C_SLAVE, reinterpret_cast<void*>(static_cast<uintptr_t>(address))) == EBUSY) {
        return TARNEL_TEXT("I2cDevAdapter",
                           "a kernel driver holds address %1 on %2; unbind it first (echo %3 | "
                           "sudo tee /sys/bus/i2c/drivers/DRIVER/unbind), so that tarnel does not "
                           "talk over it")
            .Text(hex, m_path, client);
    }
    return std::nullopt;
}

bool I2cDevAdapter::StillPresent() {
    struct stat info {};
    return ::stat(m_path.c_str(), &info) == 0;
}

int I2cDevAdapter::Transfer(I2cMessage* messages, int count) {
    std::vector<i2c_msg> kernel(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        kernel[i].addr = messages[i].address;
        kernel[i].flags = messages[i].read ? I2C_M_RD : 0;
        kernel[i].len = messages[i].length;
        kernel[i].buf = messages[i].data;
    }
    i2c_rdwr_ioctl_data transfer{kernel.data(), static_cast<__u32>(count)};
    return Ioctl(I2C_RDWR, &transfer);
}

int I2cDevAdapter::Ioctl(unsigned long request, void* argument) {
    const int result = ::ioctl(m_fd, request, argument);
    if (result < 0) {
        return errno;
    }
    // I2C_RDWR answers how many of its messages were carried out; fewer than
    // all is a failed transfer, whose buffers do not hold what was asked for.
    if (request == I2C_RDWR &&
        result != static_cast<int>(static_cast<i2c_rdwr_ioctl_data*>(argument)->nmsgs)) {
        return EIO;
    }
    return 0;
}
