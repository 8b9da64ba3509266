// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimCh341.h"

#include <cstring>

#include "Ch341Protocol.h"
#include "LinkText.h"

using namespace Ch341Protocol;

SimCh341::SimCh341(SimEeprom& eeprom, const Faults& faults, int& transfers,
                   std::unique_ptr<SimEepromFile> file)
    : m_faults(faults), m_transfers(transfers), m_port(eeprom, std::move(file)), m_bus(m_port) {}

bool SimCh341::Faulted() {
    const bool faulted =
        m_faults.transfersBeforeFault >= 0 && m_transfers >= m_faults.transfersBeforeFault;
    ++m_transfers;
    return faulted;
}

Ch341Transport::Result SimCh341::FaultResult() const {
    switch (m_faults.kind) {
        case Faults::Kind::Unplugged:
            return {Outcome::Gone};
        case Faults::Kind::FailedThenGone:
            return {Outcome::Failed, 0, "Input/Output Error"};
        case Faults::Kind::Silent:
        case Faults::Kind::SilentThenGone:
            break;
    }
    return {Outcome::TimedOut};
}

bool SimCh341::Present() {
    return !(m_faults.transfersBeforeFault >= 0 && m_transfers > m_faults.transfersBeforeFault &&
             m_faults.kind != Faults::Kind::Silent);
}

Ch341Transport::Result SimCh341::BulkOut(const uint8_t* data, int length,
                                         std::chrono::milliseconds) {
    if (Faulted()) {
        return FaultResult();
    }
    m_segments.emplace_back(data, data + length);
    if (const std::string problem = Run(data, length); !problem.empty()) {
        return {Outcome::Failed, 0,
                TARNEL_TEXT("SimCh341", "the simulated CH341A got a malformed segment: %1")
                    .Text(problem)};
    }
    return {Outcome::Done, length};
}

Ch341Transport::Result SimCh341::BulkIn(uint8_t* data, int capacity, std::chrono::milliseconds) {
    if (Faulted()) {
        return FaultResult();
    }
    if (m_replies.empty()) {
        return {Outcome::TimedOut};
    }
    if (static_cast<int>(m_replies.size()) > capacity) {
        return {Outcome::Failed, 0, "overflow: the reply is longer than the transfer"};
    }
    const int length = static_cast<int>(m_replies.size());
    std::memcpy(data, m_replies.data(), m_replies.size());
    m_replies.clear();
    return {Outcome::Done, length};
}

bool SimCh341::SendByte(uint8_t byte) {
    m_bus.SendByte(byte);
    return m_bus.AckClockSampled();
}

std::string SimCh341::Run(const uint8_t* data, int length) {
    if (length < 2 || length > kPacketSize) {
        return TARNEL_TEXT("SimCh341", "it is %1 bytes long").Text(length);
    }
    if (data[0] != kStream || data[length - 1] != kEnd) {
        return TARNEL_TEXT("SimCh341", "it does not begin with 0xAA and end with 0x00").Text();
    }
    std::vector<uint8_t> replies;
    for (int i = 1; i < length - 1; ++i) {
        const uint8_t command = data[i];
        if (command == kStart) {
            if (m_inTransaction) {
                m_bus.RepeatedStart();
            } else {
                m_bus.Start();
            }
            m_inTransaction = true;
        } else if (command == kStop) {
            m_bus.Stop();
            m_bus.Release();
            m_inTransaction = false;
        } else if ((command & 0xC0) == kOut) {
            const int n = command & 0x3F;
            if (i + (n == 0 ? 1 : n) >= length - 1) {
                return TARNEL_TEXT("SimCh341", "an OUT command runs past its end").Text();
            }
            if (n == 0) {
                replies.push_back(SendByte(data[++i]) ? 0x00 : kNotAcknowledged);
            }
            for (int k = 0; k < n; ++k) {
                SendByte(data[++i]);
            }
        } else if ((command & 0xC0) == kIn) {
            const int n = command & 0x3F;
            if (n > kMaxIn) {
                return TARNEL_TEXT("SimCh341", "an IN command asks for %1 bytes").Text(n);
            }
            for (int k = 0; k < (n == 0 ? 1 : n); ++k) {
                replies.push_back(m_bus.ReceiveByte());
                if (n == 0) {
                    m_bus.AckClock();
                } else {
                    m_bus.MasterAck();
                }
            }
        } else if ((command & 0xF0) == kSet) {
            m_speed = command & 3;
        } else if ((command & 0xE0) != kDelayUs) {
            return TARNEL_TEXT("SimCh341", "unknown command %1").Text(command);
        }
    }
    if (replies.size() > static_cast<std::size_t>(kPacketSize)) {
        return TARNEL_TEXT("SimCh341", "its replies take %1 bytes").Text(replies.size());
    }
    m_replies.insert(m_replies.end(), replies.begin(), replies.end());
    return {};
}
