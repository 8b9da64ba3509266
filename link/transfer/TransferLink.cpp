// SPDX-License-Identifier: GPL-3.0-or-later
#include "TransferLink.h"

#include <linux/i2c.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "LinkText.h"
#include "PortError.h"

namespace {
constexpr int kLastRegister = static_cast<int>(kEepromSize) - 1;

// Errors by which adapters report an address that was not acknowledged.
bool IsAddressNack(int error) {
    return error == ENXIO || error == EREMOTEIO || error == EAGAIN;
}

// A byte or page write: word address and data bytes in one message.
bool IsDataWrite(const I2cMessage& message) {
    return !message.read && message.length >= 2;
}

// Word address and the most data bytes of a page write.
constexpr int kLargestWrite = 1 + 16;
}  // namespace

TransferLink::TransferLink(std::unique_ptr<I2cAdapter> adapter, const MonotonicClock& clock)
    : m_adapter(std::move(adapter)), m_clock(clock) {}

std::optional<std::string> TransferLink::CheckAdapter() {
    if (std::optional<std::string> problem = CombinedTransfersProblem()) {
        return problem;
    }
    return m_adapter->AddressHeldBy(kAddress);
}

std::optional<std::string> TransferLink::CombinedTransfersProblem() {
    try {
        if ((m_adapter->Functions() & I2C_FUNC_I2C) == 0) {
            return TARNEL_TEXT("TransferLink",
                               "the I2C adapter %1 cannot do combined transfers (it lacks "
                               "I2C_FUNC_I2C); use another adapter")
                .Text(m_adapter->Name());
        }
    } catch (const PortError& error) {
        return error.what();
    }
    return std::nullopt;
}

std::optional<std::string> TransferLink::TransferPolling(I2cMessage* messages, int count) {
    try {
        return TransferPollingOrThrow(messages, count);
    } catch (const PortError& error) {
        return error.what();
    }
}

std::optional<std::string> TransferLink::TransferPollingOrThrow(I2cMessage* messages, int count) {
    int error = 0;
    const bool ended = PollUntilAcknowledged(m_clock, [&] {
        error = m_adapter->Transfer(messages, count);
        return !IsAddressNack(error);
    });
    if (!ended) {
        // Some adapters report a refused data byte as EREMOTEIO as well.
        const LinkText text =
            error == EREMOTEIO
                ? TARNEL_TEXT("TransferLink",
                              "the EEPROM did not acknowledge its address 0x50 or a data byte %1 "
                              "on %2; check the adapter, the cable and that the switch is powered")
                : TARNEL_TEXT("TransferLink",
                              "the EEPROM did not acknowledge its address 0x50 %1 on %2; check "
                              "the adapter, the cable and that the switch is powered");
        return text.Text(WithinBound(), m_adapter->Name());
    }
    if (error == EBUSY || error == ETIMEDOUT) {
        return TARNEL_TEXT("TransferLink",
                           "the I2C bus on %1 is busy: its data line may be held low; check the "
                           "adapter and the cable")
            .Text(m_adapter->Name());
    }
    if (error == EIO && !m_adapter->StillPresent()) {
        error = ENODEV;
    }
    // Only an adapter that sees every acknowledge (as the bit-banged ones,
    // which offer protocol mangling, do) tells a refused data byte from any
    // other failed transfer; a bridge that reports the address's acknowledge
    // alone would have tarnel guess.
    if (error == EIO && count == 1 && IsDataWrite(messages[0]) &&
        (m_adapter->Functions() & I2C_FUNC_PROTOCOL_MANGLING) != 0 &&
        DataByteRefused(messages[0])) {
        // Which byte of a page was refused the adapter does not tell.
        return messages[0].length == 2 ? DataByteNotAcknowledged(messages[0].data[1])
                                       : TARNEL_TEXT("TransferLink",
                                                     "the EEPROM did not acknowledge a data byte "
                                                     "of the page write (those before it may have "
                                                     "been written)")
                                             .Text();
    }
    if (error == ENODEV) {
        return TARNEL_TEXT("TransferLink",
                           "%1 went away during the operation: check that the adapter is still "
                           "plugged in")
            .Text(m_adapter->Name());
    }
    if (error != 0) {
        return TARNEL_TEXT("TransferLink", "the transfer failed on %1: %2")
            .Text(m_adapter->Name(), std::strerror(error));
    }
    return std::nullopt;
}

bool TransferLink::DataByteRefused(const I2cMessage& write) {
    // The word address alone sets the device's address pointer and starts no
    // write cycle.
    I2cMessage wordAddress{write.address, false, write.data, 1};
    return m_adapter->Transfer(&wordAddress, 1) == 0;
}

LinkResult TransferLink::ReadAll(EepromImage& dest) {
    if (const std::optional<std::string> problem = CheckAdapter()) {
        return LinkResult::ReadFailure(0, *problem);
    }
    uint8_t wordAddress = 0x00;
    EepromImage received{};
    I2cMessage messages[2] = {
        {kAddress, false, &wordAddress, 1},
        {kAddress, true, received.data(), static_cast<uint16_t>(received.size())},
    };
    if (const std::optional<std::string> problem = TransferPolling(messages, 2)) {
        return LinkResult::ReadFailure(0, *problem);
    }
    dest = received;
    return LinkResult::Success();
}

LinkResult TransferLink::WriteAll(const EepromImage& image, const Progress& progress,
                                  int pageSize) {
    if (!IsPageSize(pageSize)) {
        return LinkResult::WriteFailure(0, UnknownPageSize(pageSize));
    }
    if (const std::optional<std::string> problem = CheckAdapter()) {
        return LinkResult::WriteFailure(0, *problem);
    }
    for (int first = 0; first <= kLastRegister; first += pageSize) {
        uint8_t bytes[kLargestWrite] = {static_cast<uint8_t>(first)};
        std::copy_n(image.begin() + first, pageSize, bytes + 1);
        I2cMessage message{kAddress, false, bytes, static_cast<uint16_t>(1 + pageSize)};
        if (const std::optional<std::string> problem = TransferPolling(&message, 1)) {
            return LinkResult::WriteFailure(first, *problem);
        }
        if (progress) {
            progress(first + pageSize);
        }
    }
    return LinkResult::Success();
}

void TransferLink::Probe(ProbeReport& report) {
    if (!m_adapter->Probe(report)) {
        return;
    }
    const std::optional<std::string> functions = CombinedTransfersProblem();
    if (!report.Add(
            TARNEL_TEXT("TransferLink", "adapter offers combined transfers (I2C_FUNC_I2C)").Text(),
            !functions, functions.value_or(std::string()))) {
        return;
    }
    const std::optional<std::string> holder = m_adapter->AddressHeldBy(kAddress);
    if (!report.Add(TARNEL_TEXT("TransferLink", "no kernel driver holds address 0x50").Text(),
                    !holder, holder.value_or(std::string()))) {
        return;
    }
    uint8_t byte = 0;
    I2cMessage read{kAddress, true, &byte, 1};
    const bool atOnce = m_adapter->Transfer(&read, 1) == 0;
    const std::optional<std::string> problem = atOnce ? std::nullopt : TransferPolling(&read, 1);
    report.Add(TARNEL_TEXT("TransferLink", "EEPROM acknowledges a read of one byte at 0x50").Text(),
               !problem,
               problem  ? *problem
               : atOnce ? std::string()
                        : ProbeReport::AnsweredAfterBusy());
}
