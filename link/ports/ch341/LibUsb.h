// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <libusb.h>

#include <string>

// The libusb-1.0 functions the CH341A's transport calls, from
// libusb-1.0.so.0 loaded when a board is first opened rather than when the
// program starts: most runs use a parallel port or an I2C adapter of the
// kernel's, and libusb (with libudev) was a good part of the window's
// start-up.
class LibUsb {
public:
    // The library's soname, as a program linked against libusb would load it.
    static constexpr const char* kLibrary = "libusb-1.0.so.0";

    // The functions, loaded once for the whole process (from any thread);
    // null, with the loader's message in `error`, when the library or one of
    // its functions cannot be had.
    static const LibUsb* Get(std::string& error);

    decltype(&::libusb_init) init;
    decltype(&::libusb_exit) exit;
    decltype(&::libusb_strerror) strerror;
    decltype(&::libusb_get_device_list) get_device_list;
    decltype(&::libusb_free_device_list) free_device_list;
    decltype(&::libusb_get_device_descriptor) get_device_descriptor;
    decltype(&::libusb_get_bus_number) get_bus_number;
    decltype(&::libusb_get_port_numbers) get_port_numbers;
    decltype(&::libusb_open) open;
    decltype(&::libusb_close) close;
    decltype(&::libusb_kernel_driver_active) kernel_driver_active;
    decltype(&::libusb_claim_interface) claim_interface;
    decltype(&::libusb_release_interface) release_interface;
    decltype(&::libusb_bulk_transfer) bulk_transfer;
    decltype(&::libusb_control_transfer) control_transfer;
};
