// SPDX-License-Identifier: GPL-3.0-or-later
#include "BusMonitor.h"

#include <cstdio>

std::vector<std::string> BusMonitor::Decode(const std::vector<PortEvent>& events) {
    std::vector<std::string> tokens;
    bool scl = true;
    bool sda = true;
    bool inTransaction = false;
    int bits = 0;
    unsigned shift = 0;

    for (const PortEvent& e : events) {
        if (e.kind != PortEvent::Kind::Data && e.kind != PortEvent::Kind::Control) {
            continue;
        }
        if (scl && e.scl && sda != e.sda) {
            bits = 0;  // clocks that did not complete a byte do not count
            shift = 0;
            if (!e.sda) {
                tokens.push_back(inTransaction ? "Sr" : "S");
                inTransaction = true;
            } else {
                tokens.push_back("P");
                inTransaction = false;
            }
        } else if (!scl && e.scl) {
            shift = (shift << 1) | (e.sda ? 1u : 0u);
            if (++bits == 9) {
                char token[8];
                std::snprintf(token, sizeof token, "%02X%c", (shift >> 1) & 0xFF,
                              (shift & 1) != 0 ? '-' : '+');
                tokens.push_back(token);
                bits = 0;
                shift = 0;
            }
        }
        scl = e.scl;
        sda = e.sda;
    }
    return tokens;
}

std::string BusMonitor::DecodeText(const std::vector<PortEvent>& events) {
    std::string text;
    for (const std::string& token : Decode(events)) {
        text += (text.empty() ? "" : " ") + token;
    }
    return text;
}
