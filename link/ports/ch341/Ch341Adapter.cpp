// SPDX-License-Identifier: GPL-3.0-or-later
#include "Ch341Adapter.h"

#include <linux/i2c.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "Ch341Protocol.h"
#include "LinkText.h"
#include "PortError.h"

using namespace Ch341Protocol;

namespace {
// Address 0x7F with the read bit: reserved, so no device acknowledges it.
constexpr uint8_t kReservedAddress = 0xFF;
}  // namespace

Ch341Adapter::Ch341Adapter(std::unique_ptr<Ch341Transport> transport)
    : m_transport(std::move(transport)) {
    uint8_t speed[] = {kStream, static_cast<uint8_t>(kSet | kSpeed100kHz), kEnd};
    Exchange(true, speed, sizeof speed, sizeof speed);
}

unsigned long Ch341Adapter::Functions() {
    return I2C_FUNC_I2C;
}

std::optional<std::string> Ch341Adapter::AddressHeldBy(uint16_t) {
    return std::nullopt;
}

bool Ch341Adapter::Probe(ProbeReport& report) {
    bool held = false;
    try {
        held = DataLineHeld();
    } catch (const PortError& error) {
        return report.Add(TARNEL_TEXT("Ch341Adapter", "the CH341A answers over USB").Text(), false,
                          error.what());
    }
    report.Add(TARNEL_TEXT("Ch341Adapter", "the CH341A answers over USB").Text(), true);
    return report.Add(
        TARNEL_TEXT("Ch341Adapter", "the I2C bus is free (nothing holds its data line low)").Text(),
        !held,
        held ? TARNEL_TEXT("Ch341Adapter",
                           "every address is acknowledged, a reserved one too: the data line is "
                           "held low; check the clip, the cable and the switch's power")
                   .Text()
             : "");
}

bool Ch341Adapter::DataLineHeld() {
    m_busChecked = true;
    m_segment = {kStream, kStart, kOut, kReservedAddress, kStop};
    m_replies = {{Reply::Kind::AddressStatus}};
    m_segmentStops = true;
    return Send() == 0;
}

int Ch341Adapter::Transfer(I2cMessage* messages, int count) {
    if (!m_busChecked && DataLineHeld()) {
        return EBUSY;
    }
    NewSegment();
    for (int i = 0; i < count; ++i) {
        I2cMessage& message = messages[i];
        const uint8_t address = static_cast<uint8_t>((message.address << 1) | message.read);
        if (int error = Put({kStart}, {}); error != 0) {
            return error;
        }
        if (int error = Put({kOut, address}, {{Reply::Kind::AddressStatus}}); error != 0) {
            return error;
        }
        int left = message.length;
        uint8_t* data = message.data;
        if (!message.read) {
            for (; left > 0; --left, ++data) {
                if (int error = Put({kOut, *data}, {{Reply::Kind::DataStatus}}); error != 0) {
                    return error;
                }
            }
            continue;
        }
        // All bytes but the last are acknowledged, as many per command as
        // the segment's replies have room for; the last is not, which tells
        // the device that the read ends.
        while (left > 1) {
            const int n = std::min({left - 1, kMaxIn, ReplyRoom()});
            if (n == 0 || CommandRoom() < 1) {
                if (int error = Send(); error != 0) {
                    return error;
                }
                continue;
            }
            std::vector<Reply> replies;
            for (int k = 0; k < n; ++k) {
                replies.push_back({Reply::Kind::Data, data + k});
            }
            if (int error = Put({static_cast<uint8_t>(kIn | n)}, replies); error != 0) {
                return error;
            }
            data += n;
            left -= n;
        }
        // A read of no bytes still takes one, unacknowledged, to end it.
        if (int error = Put({kIn}, {{Reply::Kind::Data, left == 1 ? data : nullptr}}); error != 0) {
            return error;
        }
    }
    if (int error = Put({kStop}, {}); error != 0) {
        return error;
    }
    return Send();
}

void Ch341Adapter::NewSegment() {
    m_segment.assign(1, kStream);
    m_replies.clear();
    m_segmentStops = false;
}

int Ch341Adapter::CommandRoom() const {
    return kPacketSize - 1 - static_cast<int>(m_segment.size());
}

int Ch341Adapter::ReplyRoom() const {
    return kPacketSize - static_cast<int>(m_replies.size());
}

int Ch341Adapter::Put(std::initializer_list<uint8_t> command, const std::vector<Reply>& replies) {
    if (CommandRoom() < static_cast<int>(command.size()) ||
        ReplyRoom() < static_cast<int>(replies.size())) {
        if (int error = Send(); error != 0) {
            return error;
        }
    }
    m_segment.insert(m_segment.end(), command);
    m_segmentStops = command.size() == 1 && *command.begin() == kStop;
    m_replies.insert(m_replies.end(), replies.begin(), replies.end());
    return 0;
}

int Ch341Adapter::Send() {
    const bool stopped = m_segmentStops;
    m_segment.push_back(kEnd);
    Exchange(true, m_segment.data(), static_cast<int>(m_segment.size()),
             static_cast<int>(m_segment.size()));
    int error = 0;
    if (!m_replies.empty()) {
        uint8_t reply[kPacketSize];
        Exchange(false, reply, kPacketSize, static_cast<int>(m_replies.size()));
        for (std::size_t i = 0; i < m_replies.size() && error == 0; ++i) {
            const Reply& expected = m_replies[i];
            if (expected.kind == Reply::Kind::Data) {
                if (expected.data != nullptr) {
                    *expected.data = reply[i];
                }
            } else if ((reply[i] & kNotAcknowledged) != 0) {
                error = expected.kind == Reply::Kind::AddressStatus ? ENXIO : EIO;
            }
        }
    }
    NewSegment();
    if (error != 0 && !stopped) {
        uint8_t stop[] = {kStream, kStop, kEnd};
        Exchange(true, stop, sizeof stop, sizeof stop);
    }
    return error;
}

void Ch341Adapter::Exchange(bool out, uint8_t* data, int length, int expected) {
    if (!m_failure.empty()) {
        throw PortError(m_failure);
    }
    const Ch341Transport::Result result = out ? m_transport->BulkOut(data, length, kTransferTimeout)
                                              : m_transport->BulkIn(data, length, kTransferTimeout);
    const std::string name = Name();
    const LinkText unplugged = TARNEL_TEXT(
        "Ch341Adapter",
        "The CH341A %1 was unplugged (it is gone from the USB bus); plug it in again and repeat "
        "the command.");
    switch (result.outcome) {
        case Ch341Transport::Outcome::Done:
            if (result.length != expected) {
                Fail((out ? TARNEL_TEXT("Ch341Adapter",
                                        "The CH341A %1 took %2 bytes where %3 were expected; "
                                        "unplug it, plug it in again and repeat the command.")
                          : TARNEL_TEXT("Ch341Adapter",
                                        "The CH341A %1 answered %2 bytes where %3 were expected; "
                                        "unplug it, plug it in again and repeat the command."))
                         .Text(name, result.length, expected));
            }
            return;
        case Ch341Transport::Outcome::Gone:
            Fail(unplugged.Text(name));
        case Ch341Transport::Outcome::TimedOut:
            if (!m_transport->Present()) {
                Fail(TARNEL_TEXT("Ch341Adapter",
                                 "The CH341A %1 stopped answering and is gone from the USB bus "
                                 "(unplugged, or it lost its power); plug it in again and repeat "
                                 "the command.")
                         .Text(name));
            }
            Fail((out ? TARNEL_TEXT("Ch341Adapter",
                                    "The CH341A %1 stopped answering: no USB transfer to it within "
                                    "%2 ms; unplug it, plug it in again and repeat the command.")
                      : TARNEL_TEXT("Ch341Adapter",
                                    "The CH341A %1 stopped answering: no reply within %2 ms; "
                                    "unplug it, plug it in again and repeat the command."))
                     .Text(name, kTransferTimeout.count()));
        case Ch341Transport::Outcome::Failed:
            // A board unplugged in the middle of a transfer ends it with an
            // I/O error before the USB reports the device gone.
            if (!m_transport->Present()) {
                Fail(unplugged.Text(name));
            }
            break;
    }
    Fail((out ? TARNEL_TEXT("Ch341Adapter",
                            "A USB transfer to the CH341A %1 failed: %2; unplug it, plug it in "
                            "again and repeat the command.")
              : TARNEL_TEXT("Ch341Adapter",
                            "A USB transfer from the CH341A %1 failed: %2; unplug it, plug it in "
                            "again and repeat the command."))
             .Text(name, result.error));
}

void Ch341Adapter::Fail(const std::string& message) {
    m_failure = message;
    throw PortError(message);
}
