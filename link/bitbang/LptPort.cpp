// SPDX-License-Identifier: GPL-3.0-or-later
#include "LptPort.h"

void LptPort::WriteData(uint8_t value) {
    OutData(value);
    Delay();
}

void LptPort::WriteControl(uint8_t value) {
    OutControl(value);
    Delay();
}

uint8_t LptPort::ReadStatus() {
    return InStatus();
}
