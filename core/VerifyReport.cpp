// SPDX-License-Identifier: GPL-3.0-or-later
#include "VerifyReport.h"

#include <QCoreApplication>

#include "HexField.h"

namespace {
constexpr int kBlockWidth = 205;
constexpr int kLineHeight = 15;
constexpr int kFirstLineY = 55;
constexpr int kAddressX = 40;
constexpr int kWriteX = 105;
constexpr int kReadX = 165;
constexpr int kPassY = 100;
constexpr int kPassX[] = {80, 285, 490};
// The place of a 21st line in block 0, above the OK button.
constexpr int kOverflowY = kFirstLineY + VerifyReport::kLinesPerBlock * kLineHeight;

}  // namespace

std::vector<int> VerifyReport::DifferingRegisters(const EepromImage& image,
                                                  const EepromImage& readBack) {
    std::vector<int> registers;
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (image[i] != readBack[i]) {
            registers.push_back(static_cast<int>(i));
        }
    }
    return registers;
}

std::vector<ReportText> VerifyReport::Layout(const EepromImage& image,
                                             const EepromImage& readBack) {
    std::vector<ReportText> texts;
    const std::vector<int> differing = DifferingRegisters(image, readBack);
    if (differing.empty()) {
        for (int x : kPassX) {
            texts.push_back({x, kPassY, PassText()});
        }
        return texts;
    }
    const int shown = std::min<int>(kMaxLines, static_cast<int>(differing.size()));
    for (int m = 0; m < shown; ++m) {
        const int reg = differing[m];
        const int dx = kBlockWidth * (m / kLinesPerBlock);
        const int y = kFirstLineY + kLineHeight * (m % kLinesPerBlock);
        texts.push_back({kAddressX + dx, y, AddressText(reg)});
        texts.push_back({kWriteX + dx, y, HexField::Format(image[reg])});
        texts.push_back({kReadX + dx, y, HexField::Format(readBack[reg])});
    }
    if (static_cast<int>(differing.size()) > kMaxLines) {
        texts.push_back({kAddressX, kOverflowY,
                         QCoreApplication::translate("VerifyReport", "%1 differ, %2 listed")
                             .arg(differing.size())
                             .arg(kMaxLines)});
    }
    return texts;
}

QString VerifyReport::AddressText(int reg) {
    return QStringLiteral("%1").arg(reg, 2, 10, QLatin1Char('0'));
}

QString VerifyReport::PassText() {
    return QCoreApplication::translate("VerifyReport", "PASS!");
}
