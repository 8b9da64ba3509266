// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <linux/usb/ch9.h>

#include <cstdint>
#include <string>
#include <vector>

// One USB device presented through the kernel's legacy gadgetfs (mounted at
// /dev/gadget) on the dummy controller: the kernel answers enumeration from
// the descriptors given; SET_CONFIGURATION and every request it does not
// answer itself come to Run's handler. Endpoints are files named after the
// controller's endpoints ("ep2in-bulk"), enabled with their descriptors.
class GadgetFs {
public:
    // What the device does with the requests gadgetfs passes on.
    class Handler {
    public:
        virtual ~Handler() = default;
        // The host chose the configuration: enable the endpoints before the
        // request is acknowledged.
        virtual void Configured(GadgetFs& gadget) = 0;
        // A request of the device's own: for one to the host, fills `data`
        // with at most setup.wLength bytes; for one from the host, `data`
        // holds its data stage. Returns false to stall it.
        virtual bool Request(const usb_ctrlrequest& setup, std::vector<uint8_t>& data) = 0;
    };

    // A full-speed vendor-class device with no strings and one
    // configuration of one vendor-class interface (number 0).
    struct VendorDevice {
        uint16_t vendor;
        uint16_t product;
        uint16_t release;  // bcdDevice
        uint8_t subclass = 0;
        uint8_t protocol = 0;
        std::vector<usb_endpoint_descriptor> endpoints = {};
    };
    // An endpoint's descriptor; an interrupt endpoint is polled every frame.
    static usb_endpoint_descriptor Endpoint(uint8_t address, uint8_t type, uint16_t size);

    // Presents `device`. Exits the program with a message when gadgetfs
    // refuses it.
    explicit GadgetFs(const VendorDevice& device);
    ~GadgetFs();
    GadgetFs(const GadgetFs&) = delete;
    GadgetFs& operator=(const GadgetFs&) = delete;

    // Opens the controller's endpoint `name` and enables it as
    // `descriptor`; returns its file for read() (OUT) or write() (IN).
    int Endpoint(const std::string& name, const usb_endpoint_descriptor& descriptor);
    // Serves ep0's events for ever.
    [[noreturn]] void Run(Handler& handler);

    // Makes the calling thread real-time (SCHED_FIFO), so that it reads a
    // request's data before the host sends the next one.
    static void RealTime();
    // Prints `what` and the error to stderr and ends the program.
    [[noreturn]] static void Die(const std::string& what);

private:
    void Setup(Handler& handler, const usb_ctrlrequest& setup);

    int m_control = -1;
    std::vector<int> m_endpoints;
};
