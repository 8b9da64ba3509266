#pragma once

#include <QString>

// Texts the GUI and tarnel-cli both show about the device.
namespace DeviceMessages {
// After a successful download: the switch takes the new settings at reset.
inline QString DownloadCompleted() {
    return QStringLiteral(
        "Download is completed, please reset the switch for the new settings to take effect.");
}
}  // namespace DeviceMessages
