// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <array>
#include <cstdint>

#include "EepromImage.h"

// Puts the data records of a line-based image file together into the 128
// registers: every byte must fall on a register, a register given twice must
// be given the same value both times, and the file must give all of them.
class ImageAssembler {
    Q_DECLARE_TR_FUNCTIONS(ImageAssembler)

public:
    // Places `data` from `address` on, as the record on line `line` gives
    // it. Empty on success, otherwise the message ("line 4: ...").
    QString Place(int line, uint64_t address, const QByteArray& data);
    // The image, once every register is given; otherwise the message, which
    // names the registers missing and the line `endLine` of the end record.
    QString Finish(int endLine, EepromImage& image) const;

private:
    EepromImage m_image{};
    // The line that gave each register, 0 for one not given yet.
    std::array<int, kEepromSize> m_lineOf{};
};
