// SPDX-License-Identifier: GPL-3.0-or-later
#include "GadgetFs.h"

#include <fcntl.h>
#include <linux/usb/gadgetfs.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const std::string kFolder = "/dev/gadget/";
// The dummy controller's name, which gadgetfs gives its ep0 file.
const std::string kController = "dummy_udc";
// gadgetfs's message tags: device descriptors, endpoint descriptor.
constexpr uint32_t kDeviceTag = 0;
constexpr uint32_t kEndpointTag = 1;

template <typename T>
void Append(std::vector<uint8_t>& bytes, const T& value, std::size_t size = sizeof(T)) {
    const auto* begin = reinterpret_cast<const uint8_t*>(&value);
    bytes.insert(bytes.end(), begin, begin + size);
}
}  // namespace

void GadgetFs::Die(const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", what.c_str(), std::strerror(errno));
    std::exit(1);
}

void GadgetFs::RealTime() {
    sched_param parameter{};
    parameter.sched_priority = sched_get_priority_max(SCHED_FIFO);
    if (sched_setscheduler(0, SCHED_FIFO, &parameter) != 0) {
        Die("SCHED_FIFO");
    }
}

usb_endpoint_descriptor GadgetFs::Endpoint(uint8_t address, uint8_t type, uint16_t size) {
    usb_endpoint_descriptor endpoint{};
    endpoint.bLength = USB_DT_ENDPOINT_SIZE;
    endpoint.bDescriptorType = USB_DT_ENDPOINT;
    endpoint.bEndpointAddress = address;
    endpoint.bmAttributes = type;
    endpoint.wMaxPacketSize = size;
    endpoint.bInterval = type == USB_ENDPOINT_XFER_INT ? 1 : 0;
    return endpoint;
}

GadgetFs::GadgetFs(const VendorDevice& device) {
    m_control = open((kFolder + kController).c_str(), O_RDWR);
    if (m_control < 0) {
        Die("open " + kFolder + kController);
    }
    usb_config_descriptor config{};
    config.bLength = USB_DT_CONFIG_SIZE;
    config.bDescriptorType = USB_DT_CONFIG;
    config.wTotalLength =
        USB_DT_CONFIG_SIZE + USB_DT_INTERFACE_SIZE + device.endpoints.size() * USB_DT_ENDPOINT_SIZE;
    config.bNumInterfaces = 1;
    config.bConfigurationValue = 1;
    config.bmAttributes = USB_CONFIG_ATT_ONE;
    config.bMaxPower = 50;  // 100 mA
    usb_interface_descriptor interface {};
    interface.bLength = USB_DT_INTERFACE_SIZE;
    interface.bDescriptorType = USB_DT_INTERFACE;
    interface.bNumEndpoints = static_cast<uint8_t>(device.endpoints.size());
    interface.bInterfaceClass = USB_CLASS_VENDOR_SPEC;
    interface.bInterfaceSubClass = device.subclass;
    interface.bInterfaceProtocol = device.protocol;
    // gadgetfs sets bcdUSB and ep0's packet size itself.
    usb_device_descriptor descriptor{};
    descriptor.bLength = USB_DT_DEVICE_SIZE;
    descriptor.bDescriptorType = USB_DT_DEVICE;
    descriptor.bDeviceClass = USB_CLASS_VENDOR_SPEC;
    descriptor.idVendor = device.vendor;
    descriptor.idProduct = device.product;
    descriptor.bcdDevice = device.release;
    descriptor.bNumConfigurations = 1;

    std::vector<uint8_t> message;
    Append(message, kDeviceTag);
    Append(message, config, USB_DT_CONFIG_SIZE);
    Append(message, interface, USB_DT_INTERFACE_SIZE);
    for (const usb_endpoint_descriptor& endpoint : device.endpoints) {
        Append(message, endpoint, USB_DT_ENDPOINT_SIZE);
    }
    Append(message, descriptor, USB_DT_DEVICE_SIZE);
    if (write(m_control, message.data(), message.size()) != static_cast<ssize_t>(message.size())) {
        Die("gadgetfs refused the descriptors");
    }
}

GadgetFs::~GadgetFs() {
    for (int endpoint : m_endpoints) {
        close(endpoint);
    }
    close(m_control);
}

int GadgetFs::Endpoint(const std::string& name, const usb_endpoint_descriptor& descriptor) {
    const int file = open((kFolder + name).c_str(), O_RDWR);
    if (file < 0) {
        Die("open " + kFolder + name);
    }
    std::vector<uint8_t> message;
    Append(message, kEndpointTag);
    Append(message, descriptor, USB_DT_ENDPOINT_SIZE);
    if (write(file, message.data(), message.size()) != static_cast<ssize_t>(message.size())) {
        Die("gadgetfs refused the endpoint " + name);
    }
    m_endpoints.push_back(file);
    return file;
}

void GadgetFs::Run(Handler& handler) {
    bool configured = false;
    for (;;) {
        usb_gadgetfs_event events[5];
        const ssize_t length = read(m_control, events, sizeof events);
        if (length < 0) {
            if (errno == EINTR || errno == EIDRM) {
                continue;
            }
            Die("reading ep0's events");
        }
        for (std::size_t i = 0; i < static_cast<std::size_t>(length) / sizeof events[0]; ++i) {
            if (events[i].type != GADGETFS_SETUP) {
                continue;
            }
            const usb_ctrlrequest& setup = events[i].u.setup;
            if (setup.bRequestType == USB_RECIP_DEVICE &&
                setup.bRequest == USB_REQ_SET_CONFIGURATION) {
                // The endpoints stay enabled across a reset; they are
                // opened once.
                if (setup.wValue != 0 && !configured) {
                    handler.Configured(*this);
                    configured = true;
                }
                if (read(m_control, nullptr, 0) < 0) {
                    Die("acknowledging SET_CONFIGURATION");
                }
                continue;
            }
            Setup(handler, setup);
        }
    }
}

void GadgetFs::Setup(Handler& handler, const usb_ctrlrequest& setup) {
    std::vector<uint8_t> data;
    if ((setup.bRequestType & USB_DIR_IN) != 0) {
        data.reserve(setup.wLength);
        if (handler.Request(setup, data)) {
            data.resize(std::min<std::size_t>(data.size(), setup.wLength));
            if (write(m_control, data.data(), data.size()) < 0) {
                std::perror("answering a request");
            }
        } else {
            // A read on ep0 during an IN request stalls it.
            (void)!read(m_control, nullptr, 0);
        }
        return;
    }
    data.resize(setup.wLength);
    if (setup.wLength > 0) {
        const ssize_t length = read(m_control, data.data(), data.size());
        if (length < 0) {
            std::perror("reading a request's data");
            return;
        }
        data.resize(static_cast<std::size_t>(length));
        handler.Request(setup, data);
        return;
    }
    if (handler.Request(setup, data)) {
        (void)!read(m_control, nullptr, 0);
    } else {
        // A write on ep0 during an OUT request stalls it.
        (void)!write(m_control, nullptr, 0);
    }
}
