// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

#include "EepromImage.h"

// One text of the verify report, at its top-left corner in pixels of the
// report's client area.
struct ReportText {
    int x = 0;
    int y = 0;
    QString text;
    bool operator==(const ReportText&) const = default;
};

// The comparison behind the verify report and the texts it draws.
class VerifyReport {
public:
    static constexpr int kMaxLines = 60;
    static constexpr int kLinesPerBlock = 20;

    // A register number as the report shows it: "%02d" ("05", "127").
    static QString AddressText(int reg);
    // What the report shows when nothing differs.
    static QString PassText();
    // Registers whose image byte differs from the read-back byte, ascending.
    static std::vector<int> DifferingRegisters(const EepromImage& image,
                                               const EepromImage& readBack);
    // What the report draws: for the m-th differing register (m < 60) its
    // address "%02d", image byte and read-back byte "%02X" at x = 40, 105 and
    // 165 plus 205 per block of 20 and y = 55 + 15 per line; "PASS!" three
    // times when nothing differs; and, when more than 60 differ, one line at
    // (40, 355), "128 differ, 60 listed", short enough to end before the
    // first separator.
    static std::vector<ReportText> Layout(const EepromImage& image, const EepromImage& readBack);
};
