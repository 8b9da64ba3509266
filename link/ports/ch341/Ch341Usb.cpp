// SPDX-License-Identifier: GPL-3.0-or-later
#include "Ch341Usb.h"

#include <cstdio>
#include <filesystem>
#include <thread>

#include "Ch341Protocol.h"
#include "LibUsb.h"
#include "LinkText.h"
#include "PortError.h"

using namespace Ch341Protocol;

namespace {
// A transfer that asks whether the device is there at all: GET_STATUS.
constexpr std::chrono::milliseconds kPresenceTimeout{200};
// Right after an unplug, requests fail in other ways until the hub has
// noticed that the device is gone: GET_STATUS is asked again, a pause
// apart, for this long.
constexpr std::chrono::milliseconds kPresenceWait{1000};
constexpr std::chrono::milliseconds kPresencePause{50};

// The place of `device` on the USB tree ("1-4.2"); empty for a root hub.
std::string PlaceOf(const LibUsb& usb, libusb_device* device) {
    uint8_t ports[8];
    const int depth = usb.get_port_numbers(device, ports, sizeof ports);
    if (depth <= 0) {
        return {};
    }
    std::string place = std::to_string(usb.get_bus_number(device)) + "-";
    for (int i = 0; i < depth; ++i) {
        place += (i == 0 ? "" : ".") + std::to_string(ports[i]);
    }
    return place;
}

std::string PermissionHint() {
    return TARNEL_TEXT("Ch341Usb",
                       "The udev rule that gives CH341A boards to the user at the seat and to "
                       "group plugdev is missing: the tarnel package installs it as "
                       "/usr/lib/udev/rules.d/%1; without the package put the line\n  %2\ninto "
                       "/etc/udev/rules.d/%1, run sudo udevadm control --reload-rules and plug "
                       "the board in again.")
        .Text(Ch341Usb::kUdevRuleFile, Ch341Usb::kUdevRule);
}
}  // namespace

Ch341Usb::Ch341Usb(const std::string& place, const std::string& sysRoot) : m_place(place) {
    try {
        Open(sysRoot);
    } catch (const PortError&) {
        Close();
        throw;
    }
}

Ch341Usb::~Ch341Usb() {
    Close();
}

void Ch341Usb::Close() {
    if (m_claimed) {
        m_usb->release_interface(m_handle, kInterface);
        m_claimed = false;
    }
    if (m_handle != nullptr) {
        m_usb->close(m_handle);
        m_handle = nullptr;
    }
    if (m_context != nullptr) {
        m_usb->exit(m_context);
        m_context = nullptr;
    }
}

void Ch341Usb::Open(const std::string& sysRoot) {
    const std::string name = Name();
    std::string loadError;
    m_usb = LibUsb::Get(loadError);
    if (m_usb == nullptr) {
        throw PortError(TARNEL_TEXT("Ch341Usb", "Cannot use the USB for the CH341A %1: %2.")
                            .Text(name, loadError));
    }
    if (const int error = m_usb->init(&m_context); error < 0) {
        m_context = nullptr;
        throw PortError(TARNEL_TEXT("Ch341Usb", "Cannot use the USB for the CH341A %1: %2.")
                            .Text(name, m_usb->strerror(error)));
    }
    libusb_device** devices = nullptr;
    const ssize_t count = m_usb->get_device_list(m_context, &devices);
    if (count < 0) {
        throw PortError(
            TARNEL_TEXT("Ch341Usb", "Cannot list the USB devices for the CH341A %1: %2.")
                .Text(name, m_usb->strerror(static_cast<int>(count))));
    }
    libusb_device* device = nullptr;
    for (ssize_t i = 0; i < count && device == nullptr; ++i) {
        if (PlaceOf(*m_usb, devices[i]) == m_place) {
            device = devices[i];
        }
    }
    libusb_device_descriptor descriptor{};
    int error = LIBUSB_ERROR_NOT_FOUND;
    if (device != nullptr && m_usb->get_device_descriptor(device, &descriptor) == 0 &&
        descriptor.idVendor == kVendorId && descriptor.idProduct == kProductId) {
        error = m_usb->open(device, &m_handle);
    }
    m_usb->free_device_list(devices, 1);
    if (device == nullptr) {
        throw PortError(TARNEL_TEXT("Ch341Usb",
                                    "Nothing is plugged in at %1 on the USB; tarnel-cli list-ports "
                                    "lists the CH341A boards present.")
                            .Text(name));
    }
    if (error == LIBUSB_ERROR_NOT_FOUND) {
        char id[16];
        std::snprintf(id, sizeof id, "%04x:%04x", descriptor.idVendor, descriptor.idProduct);
        throw PortError(TARNEL_TEXT("Ch341Usb",
                                    "The USB device at %1 is no CH341A in I2C mode (1a86:5512) but "
                                    "%2; tarnel-cli list-ports lists the CH341A boards present.")
                            .Text(name, id));
    }
    if (error == LIBUSB_ERROR_ACCESS) {
        m_handle = nullptr;
        throw PortError(TARNEL_TEXT("Ch341Usb", "Cannot open the CH341A %1: permission denied. %2")
                            .Text(name, PermissionHint()));
    }
    if (error < 0) {
        m_handle = nullptr;
        throw PortError(TARNEL_TEXT("Ch341Usb", "Cannot open the CH341A %1: %2.")
                            .Text(name, m_usb->strerror(error)));
    }
    if (m_usb->kernel_driver_active(m_handle, kInterface) == 1) {
        std::error_code linkError;
        const auto driver = std::filesystem::read_symlink(
            std::filesystem::path(sysRoot) / "bus/usb/devices" / (m_place + ":1.0") / "driver",
            linkError);
        const std::string driverName = linkError ? "DRIVER" : driver.filename().string();
        throw PortError(TARNEL_TEXT("Ch341Usb",
                                    "The kernel driver %1 holds the CH341A %2; unload it first "
                                    "(sudo modprobe -r %1), so that tarnel does not talk over it.")
                            .Text(driverName, name));
    }
    error = m_usb->claim_interface(m_handle, kInterface);
    if (error == LIBUSB_ERROR_BUSY) {
        throw PortError(TARNEL_TEXT("Ch341Usb",
                                    "The CH341A %1 is in use by another program (another tarnel, "
                                    "another --port naming the same board, or another "
                                    "programmer's tool); wait until it has finished.")
                            .Text(name));
    }
    if (error < 0) {
        throw PortError(TARNEL_TEXT("Ch341Usb", "Cannot claim the CH341A %1: %2.")
                            .Text(name, m_usb->strerror(error)));
    }
    m_claimed = true;
}

Ch341Transport::Result Ch341Usb::Bulk(unsigned char endpoint, uint8_t* data, int length,
                                      std::chrono::milliseconds timeout) {
    int transferred = 0;
    const int error = m_usb->bulk_transfer(m_handle, endpoint, data, length, &transferred,
                                           static_cast<unsigned>(timeout.count()));
    switch (error) {
        case 0:
            return {Outcome::Done, transferred};
        case LIBUSB_ERROR_TIMEOUT:
            return {Outcome::TimedOut, transferred};
        case LIBUSB_ERROR_NO_DEVICE:
            return {Outcome::Gone};
        default:
            return {Outcome::Failed, transferred, m_usb->strerror(error)};
    }
}

Ch341Transport::Result Ch341Usb::BulkOut(const uint8_t* data, int length,
                                         std::chrono::milliseconds timeout) {
    // libusb takes a buffer it may write to; an OUT transfer only reads it.
    return Bulk(kEndpointOut, const_cast<uint8_t*>(data), length, timeout);
}

Ch341Transport::Result Ch341Usb::BulkIn(uint8_t* data, int capacity,
                                        std::chrono::milliseconds timeout) {
    return Bulk(kEndpointIn, data, capacity, timeout);
}

bool Ch341Usb::Present() {
    // A standard request to the device, answered from it to the host.
    constexpr uint8_t kToHostStandardDevice = 0x80;
    const auto until = std::chrono::steady_clock::now() + kPresenceWait;
    for (;;) {
        unsigned char status[2];
        const int result = m_usb->control_transfer(
            m_handle, kToHostStandardDevice, LIBUSB_REQUEST_GET_STATUS, 0, 0, status, sizeof status,
            static_cast<unsigned>(kPresenceTimeout.count()));
        if (result == LIBUSB_ERROR_NO_DEVICE) {
            return false;
        }
        // A device that answers, or still fails after the wait, is there.
        if (result >= 0 || std::chrono::steady_clock::now() >= until) {
            return true;
        }
        std::this_thread::sleep_for(kPresencePause);
    }
}
