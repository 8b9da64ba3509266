// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "Ch341Transport.h"

class LibUsb;
struct libusb_context;
struct libusb_device_handle;

// The bulk transfers of a CH341A through libusb-1.0 (the kernel's usbfs):
// no kernel driver is needed. The board's interface 0 is claimed while the
// object lives, so one program at a time uses it.
class Ch341Usb : public Ch341Transport {
public:
    // The udev rule that gives the boards to the user at the seat and to
    // group plugdev, and where the package installs it.
    static constexpr const char* kUdevRule =
        "SUBSYSTEM==\"usb\", ATTR{idVendor}==\"1a86\", ATTR{idProduct}==\"5512\", "
        "MODE=\"0660\", GROUP=\"plugdev\", TAG+=\"uaccess\"";
    static constexpr const char* kUdevRuleFile = "60-tarnel-ch341.rules";

    // Opens the board at `place` ("1-4.2") and claims its interface 0.
    // Throws PortError, naming the board, when nothing or another device is
    // there, when it may not be opened (naming the missing udev rule), when
    // a kernel driver holds it (naming the driver, looked up below
    // `sysRoot`) and when another program has claimed it.
    Ch341Usb(const std::string& place, const std::string& sysRoot = "/sys");
    ~Ch341Usb() override;
    Ch341Usb(const Ch341Usb&) = delete;
    Ch341Usb& operator=(const Ch341Usb&) = delete;

    std::string Name() const override { return "ch341:" + m_place; }
    Result BulkOut(const uint8_t* data, int length, std::chrono::milliseconds timeout) override;
    Result BulkIn(uint8_t* data, int capacity, std::chrono::milliseconds timeout) override;
    // Asks the device for its status on the control endpoint, again for a
    // while when the request fails otherwise than with the device gone.
    bool Present() override;

private:
    // Opens and claims the board; on failure throws, leaving what it got for
    // Close() to free.
    void Open(const std::string& sysRoot);
    // Releases the interface and frees what Open got.
    void Close();
    Result Bulk(unsigned char endpoint, uint8_t* data, int length,
                std::chrono::milliseconds timeout);

    std::string m_place;
    // libusb, once Open has loaded it; null before.
    const LibUsb* m_usb = nullptr;
    libusb_context* m_context = nullptr;
    libusb_device_handle* m_handle = nullptr;
    bool m_claimed = false;
};
