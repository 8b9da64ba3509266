// SPDX-License-Identifier: GPL-3.0-or-later
// A CH341A programmer in I2C mode with a 24C01-class EEPROM in its socket,
// presented on the dummy USB controller through gadgetfs for the VM test: it
// takes the bulk OUT segments of the chip's stream format, carries them out
// on the EEPROM model and sends each segment's replies as one bulk IN
// packet.
//
// Usage: tarnel-vm-ch341 MODE_FILE [UNPLUG_AFTER]
// MODE_FILE names the EEPROM's faults (see EepromModel); with UNPLUG_AFTER
// the program ends, as an unplugged board does, at the first segment after
// that many writes.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "Ch341Protocol.h"
#include "EepromModel.h"
#include "GadgetFs.h"

using namespace Ch341Protocol;

namespace {
// The board's endpoints: bulk IN 0x82, bulk OUT 0x02 and interrupt IN 0x81.
const usb_endpoint_descriptor kBulkIn =
    GadgetFs::Endpoint(kEndpointIn, USB_ENDPOINT_XFER_BULK, kPacketSize);
const usb_endpoint_descriptor kBulkOut =
    GadgetFs::Endpoint(kEndpointOut, USB_ENDPOINT_XFER_BULK, kPacketSize);
const usb_endpoint_descriptor kInterrupt = GadgetFs::Endpoint(0x81, USB_ENDPOINT_XFER_INT, 8);

// Carries out one segment on `eeprom` and returns its replies; `valid` is
// false when the segment breaks the stream format.
std::vector<uint8_t> RunSegment(EepromModel& eeprom, const uint8_t* segment, int length,
                                bool& valid) {
    std::vector<uint8_t> replies;
    valid = length >= 2 && segment[0] == kStream && segment[length - 1] == kEnd;
    for (int i = 1; valid && i < length - 1; ++i) {
        const uint8_t command = segment[i];
        const int n = command & 0x3F;
        if (command == kStart) {
            eeprom.Start();
        } else if (command == kStop) {
            eeprom.Stop();
        } else if ((command & 0xC0) == kOut) {
            valid = i + std::max(n, 1) < length - 1;
            for (int k = 0; valid && k < std::max(n, 1); ++k) {
                const bool acknowledged = eeprom.Write(segment[++i]);
                if (n == 0) {
                    replies.push_back(acknowledged ? 0x00 : kNotAcknowledged);
                }
            }
        } else if ((command & 0xC0) == kIn) {
            valid = n <= kMaxIn;
            for (int k = 0; valid && k < std::max(n, 1); ++k) {
                replies.push_back(eeprom.Read(n != 0));
            }
        } else if ((command & 0xF0) == kDelayMs) {
            usleep(1000u * (command & 0x0F));
        } else if ((command & 0xF0) == kDelayUs) {
            usleep(command & 0x0F);
        } else {
            valid = (command & 0xF0) == kSet;
        }
    }
    valid = valid && replies.size() <= static_cast<std::size_t>(kPacketSize);
    return replies;
}

class Ch341Board : public GadgetFs::Handler {
public:
    Ch341Board(EepromModel& eeprom, int unplugAfter)
        : m_eeprom(eeprom), m_unplugAfter(unplugAfter) {}

    void Configured(GadgetFs& gadget) override {
        const int in = gadget.Endpoint("ep2in-bulk", kBulkIn);
        const int out = gadget.Endpoint("ep2out-bulk", kBulkOut);
        std::thread([this, in, out] { Serve(in, out); }).detach();
        std::puts("tarnel-vm-ch341: configured");
        std::fflush(stdout);
    }

    // The chip's vendor requests are not used in I2C mode: stalled.
    bool Request(const usb_ctrlrequest&, std::vector<uint8_t>&) override { return false; }

private:
    void Serve(int in, int out) {
        GadgetFs::RealTime();
        for (;;) {
            uint8_t segment[kPacketSize];
            const ssize_t length = read(out, segment, sizeof segment);
            if (length < 0) {
                // A reset of the port ends the transfers under way; the
                // endpoints stay enabled.
                usleep(1000);
                continue;
            }
            if (m_unplugAfter >= 0 && m_eeprom.CommittedWrites() >= m_unplugAfter) {
                std::printf("tarnel-vm-ch341: unplugged after %d writes\n",
                            m_eeprom.CommittedWrites());
                std::fflush(stdout);
                _exit(0);
            }
            bool valid = false;
            const std::vector<uint8_t> replies =
                RunSegment(m_eeprom, segment, static_cast<int>(length), valid);
            if (!valid) {
                // The chip ignores a segment it cannot parse; the host's
                // read times out.
                std::printf("tarnel-vm-ch341: malformed segment of %zd bytes\n", length);
                std::fflush(stdout);
                continue;
            }
            if (!replies.empty() && write(in, replies.data(), replies.size()) < 0) {
                std::perror("tarnel-vm-ch341: bulk IN");
            }
        }
    }

    EepromModel& m_eeprom;
    const int m_unplugAfter;
};
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: tarnel-vm-ch341 MODE_FILE [UNPLUG_AFTER]\n");
        return 2;
    }
    EepromModel eeprom(argv[1]);
    Ch341Board board(eeprom, argc == 3 ? std::atoi(argv[2]) : -1);
    GadgetFs gadget({.vendor = kVendorId,
                     .product = kProductId,
                     .release = 0x0304,
                     .subclass = 1,
                     .protocol = 2,
                     .endpoints = {kBulkIn, kBulkOut, kInterrupt}});
    gadget.Run(board);
}
