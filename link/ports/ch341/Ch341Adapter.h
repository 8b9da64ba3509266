// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Ch341Transport.h"
#include "I2cAdapter.h"

// An I2C adapter on a CH341A programmer board, driven from user space
// through its bulk transfers (Ch341Protocol.h). A combined transfer becomes
// segments of at most 32 bytes: every byte sent, addresses included, goes
// with its own status reply, so a refused address (ENXIO) and a refused data
// byte (EIO) are found, and a transfer ends with a STOP at the first refusal
// (the chip itself goes on to the end of the segment it is working on; a
// device that refused a byte does not take the bytes after it). A read of
// more than one segment's replies goes on in the next segments within the
// same transaction, with no new START, so the device's address pointer
// runs on as in one read. A transfer's first step checks that nothing pulls
// the data line low: a held line acknowledges every address, reserved ones
// included. A failing USB transfer throws PortError and leaves the adapter
// failed: later transfers throw the same error without touching the USB.
class Ch341Adapter : public I2cAdapter {
public:
    // Sets the bus speed to 100 kHz. Throws PortError when the chip does not
    // take it.
    explicit Ch341Adapter(std::unique_ptr<Ch341Transport> transport);

    std::string Name() const override { return m_transport->Name(); }
    // Combined transfers: I2C_FUNC_I2C.
    unsigned long Functions() override;
    // Always empty: no kernel driver is on this bus.
    std::optional<std::string> AddressHeldBy(uint16_t address) override;
    // As I2cAdapter::Transfer; EBUSY when the data line is held low.
    int Transfer(I2cMessage* messages, int count) override;
    // The chip answers a segment, and the data line is free.
    bool Probe(ProbeReport& report) override;

private:
    // What a reply byte of the segment being built stands for.
    struct Reply {
        enum class Kind { AddressStatus, DataStatus, Data };
        Kind kind;
        uint8_t* data = nullptr;  // where a read byte goes; null to drop it
    };

    // Starts the next segment.
    void NewSegment();
    // Appends one command and what it replies, sending the segment first when
    // they do not fit in it. Returns 0 or the refusal that ended the transfer
    // (ENXIO, EIO).
    int Put(std::initializer_list<uint8_t> command, const std::vector<Reply>& replies);
    // Room left in the segment for commands (before its end byte) and replies.
    int CommandRoom() const;
    int ReplyRoom() const;
    // Sends the segment and takes its replies; 0 or the first refusal, after
    // which a STOP has ended the transaction.
    int Send();
    // One bulk transfer; throws PortError (and fails the adapter) unless it
    // moved exactly `expected` bytes.
    void Exchange(bool out, uint8_t* data, int length, int expected);
    [[noreturn]] void Fail(const std::string& message);
    // Whether a reserved address is acknowledged: then the data line is low.
    bool DataLineHeld();

    std::unique_ptr<Ch341Transport> m_transport;
    std::vector<uint8_t> m_segment;
    std::vector<Reply> m_replies;
    bool m_segmentStops = false;  // the segment ends the transaction with a STOP
    bool m_busChecked = false;
    std::string m_failure;
};
