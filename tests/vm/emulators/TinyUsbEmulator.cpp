// SPDX-License-Identifier: GPL-3.0-or-later
// An i2c-tiny-usb bridge with a 24C01-class EEPROM on its bus, presented on
// the dummy USB controller through gadgetfs for the VM test, so that the
// kernel's own i2c-tiny-usb driver binds to it and i2c-dev offers it as
// /dev/i2c-N. The driver speaks only vendor requests to the interface on
// ep0: GET_FUNC, SET_DELAY, GET_STATUS and I2C_IO (one I2C message, the
// address in wIndex, the message's flags in wValue, BEGIN and END bits in
// the request for the transfer's first and last message).
//
// Usage: tarnel-vm-i2c-tiny-usb MODE_FILE
#include <linux/i2c.h>

#include <cstdio>

#include "EepromModel.h"
#include "GadgetFs.h"

namespace {
// The pair the kernel driver's table gives first (donated by FTDI).
constexpr uint16_t kVendorId = 0x0403;
constexpr uint16_t kProductId = 0xc631;

constexpr uint8_t kGetFunctions = 1;
constexpr uint8_t kSetDelay = 2;
constexpr uint8_t kGetStatus = 3;
constexpr uint8_t kI2cIo = 4;
constexpr uint8_t kBegin = 1;
constexpr uint8_t kEnd = 2;
// GET_STATUS answers: whether the last message's address was acknowledged.
constexpr uint8_t kAddressAcknowledged = 1;
constexpr uint8_t kAddressRefused = 2;

class TinyUsbBridge : public GadgetFs::Handler {
public:
    explicit TinyUsbBridge(EepromModel& eeprom) : m_eeprom(eeprom) {}

    void Configured(GadgetFs&) override {
        std::puts("tarnel-vm-i2c-tiny-usb: configured");
        std::fflush(stdout);
    }

    bool Request(const usb_ctrlrequest& setup, std::vector<uint8_t>& data) override {
        if ((setup.bRequestType & USB_TYPE_MASK) != USB_TYPE_VENDOR) {
            return false;
        }
        switch (setup.bRequest) {
            case kGetFunctions: {
                const uint32_t functions = I2C_FUNC_I2C | I2C_FUNC_SMBUS_EMUL;
                for (int shift = 0; shift < 32; shift += 8) {
                    data.push_back(static_cast<uint8_t>(functions >> shift));
                }
                return true;
            }
            case kSetDelay:
                return true;
            case kGetStatus:
                data.push_back(m_status);
                return true;
            default:
                break;
        }
        if ((setup.bRequest & ~(kBegin | kEnd)) != kI2cIo) {
            return false;
        }
        Message(setup, data);
        return true;
    }

private:
    // One I2C message, each begun with a START (a repeated one inside the
    // transfer), as the bridge's firmware does.
    void Message(const usb_ctrlrequest& setup, std::vector<uint8_t>& data) {
        const bool read = (setup.wValue & I2C_M_RD) != 0;
        m_eeprom.Start();
        const bool acknowledged =
            m_eeprom.Write(static_cast<uint8_t>((setup.wIndex << 1) | (read ? 1 : 0)));
        m_status = acknowledged ? kAddressAcknowledged : kAddressRefused;
        if (read) {
            // The driver takes only a reply of the length it asked for.
            for (int i = 0; i < setup.wLength; ++i) {
                data.push_back(acknowledged ? m_eeprom.Read(i + 1 < setup.wLength) : 0xFF);
            }
        } else if (acknowledged) {
            for (uint8_t byte : data) {
                if (!m_eeprom.Write(byte)) {
                    break;
                }
            }
        }
        if ((setup.bRequest & kEnd) != 0) {
            m_eeprom.Stop();
        }
    }

    EepromModel& m_eeprom;
    uint8_t m_status = 0;
};
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarnel-vm-i2c-tiny-usb MODE_FILE\n");
        return 2;
    }
    // Without a real-time priority the emulator may read a request's data
    // only after the host sent the next SETUP, which takes it away.
    GadgetFs::RealTime();
    EepromModel eeprom(argv[1]);
    TinyUsbBridge bridge(eeprom);
    // One vendor-class interface without endpoints of its own.
    GadgetFs gadget({.vendor = kVendorId, .product = kProductId, .release = 0x0104});
    gadget.Run(bridge);
}
