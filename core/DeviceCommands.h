// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DeviceLink.h"
#include "EepromImage.h"
#include "LinkResult.h"

// The device commands both programs run, on buffers the caller owns; the
// programs only ask, present and report.
namespace DeviceCommands {
// How far a download got.
enum class DownloadStage {
    writeFailed,     // the write failed; the link's message says where
    readBackFailed,  // written, but the read-back failed
    differs,         // read back, and registers differ from the image
    stored,          // read back equal to the image (or not read back when asked so)
};

struct DownloadOutcome {
    DownloadStage stage = DownloadStage::stored;
    // Failure with the message for the user unless the image was stored.
    LinkResult result;
};

// Writes `image` to the device over `link` and, when `verify`, reads it
// back into `readBack` over the same open link and compares: the download
// is stored only when all 128 registers match. `readBack` is written only
// when the read-back succeeded.
DownloadOutcome Download(DeviceLink& link, const EepromImage& image, EepromImage& readBack,
                         const DeviceLink::Progress& progress = {}, int pageSize = 1,
                         bool verify = true);
}  // namespace DeviceCommands
