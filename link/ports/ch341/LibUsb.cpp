// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibUsb.h"

#include <optional>

#include "SharedLibrary.h"

namespace {

struct Loaded {
    std::optional<LibUsb> functions;
    std::string error;
};

Loaded Load() {
    SharedLibrary library(LibUsb::kLibrary);
    LibUsb usb{};
    if (!library.Resolve("libusb_init", usb.init) || !library.Resolve("libusb_exit", usb.exit) ||
        !library.Resolve("libusb_strerror", usb.strerror) ||
        !library.Resolve("libusb_get_device_list", usb.get_device_list) ||
        !library.Resolve("libusb_free_device_list", usb.free_device_list) ||
        !library.Resolve("libusb_get_device_descriptor", usb.get_device_descriptor) ||
        !library.Resolve("libusb_get_bus_number", usb.get_bus_number) ||
        !library.Resolve("libusb_get_port_numbers", usb.get_port_numbers) ||
        !library.Resolve("libusb_open", usb.open) || !library.Resolve("libusb_close", usb.close) ||
        !library.Resolve("libusb_kernel_driver_active", usb.kernel_driver_active) ||
        !library.Resolve("libusb_claim_interface", usb.claim_interface) ||
        !library.Resolve("libusb_release_interface", usb.release_interface) ||
        !library.Resolve("libusb_bulk_transfer", usb.bulk_transfer) ||
        !library.Resolve("libusb_control_transfer", usb.control_transfer)) {
        return {std::nullopt, library.Error()};
    }
    return {usb, std::string()};
}

}  // namespace

const LibUsb* LibUsb::Get(std::string& error) {
    static const Loaded loaded = Load();
    if (!loaded.functions) {
        error = loaded.error;
        return nullptr;
    }
    return &*loaded.functions;
}
