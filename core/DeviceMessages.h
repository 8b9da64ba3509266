// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include "EepromImage.h"
#include "HexField.h"
#include "VerifyReport.h"

// Texts the GUI and tarnel-cli both show about the device.
namespace DeviceMessages {
// After a successful download: the switch takes the new settings at reset.
inline QString DownloadCompleted() {
    return QCoreApplication::translate(
        "DeviceMessages",
        "Download is completed, please reset the switch for the new settings to take effect.");
}

// After a download with no read-back (tarnel-cli write --no-verify).
inline QString DownloadNotVerified() {
    return QCoreApplication::translate(
        "DeviceMessages",
        "The image was written, not verified (--no-verify); reset the switch for the new "
        "settings to take effect.");
}

// After a download whose read-back differs from the image: how many
// registers differ and the first few as register, written and read values.
// Empty when all 128 match.
inline QString DownloadNotStored(const EepromImage& written, const EepromImage& read) {
    constexpr std::size_t kListed = 4;
    const std::vector<int> differing = VerifyReport::DifferingRegisters(written, read);
    if (differing.empty()) {
        return {};
    }
    QStringList listed;
    for (std::size_t i = 0; i < differing.size() && i < kListed; ++i) {
        const int reg = differing[i];
        listed << QCoreApplication::translate("DeviceMessages", "register %1 written %2 read %3")
                      .arg(reg)
                      .arg(HexField::Format(written[reg]), HexField::Format(read[reg]));
    }
    return QCoreApplication::translate(
               "DeviceMessages",
               "Download failed: %1 of 128 registers read back differ from the image (%2%3). "
               "The switch holds a wrong image; check that its EEPROM is not write-protected, "
               "the adapter and the cable, then download again.")
        .arg(differing.size())
        .arg(listed.join(QStringLiteral(", ")),
             differing.size() > kListed ? QStringLiteral(", ...") : QString());
}

// After a download whose read-back failed with `reason`.
inline QString DownloadNotReadBack(const QString& reason) {
    return QCoreApplication::translate(
               "DeviceMessages",
               "Download failed: the image was written but could not be read back to "
               "check it. %1 The switch may hold a wrong image.")
        .arg(reason);
}
}  // namespace DeviceMessages
