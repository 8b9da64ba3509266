// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "DeviceLink.h"
#include "EepromImage.h"
#include "ImageFile.h"
#include "LinkResult.h"
#include "ProbeReport.h"

class LockedFile;
class LogRecord;
class PortFactory;

// The device commands both programs run, on buffers the caller owns, each
// filling in the operation's record; the programs only ask, present and
// report.
namespace DeviceCommands {
// The image file command 32776 loads from the current directory.
inline constexpr const char* kDefaultImageFile = "default.dat";

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

// Reads the device over `link` into `image`; on success records the
// device's digest in `record`. `image` may be part-written on failure.
LinkResult Upload(DeviceLink& link, EepromImage& image, LogRecord& record);

// Reads the device over `link` into `readBack` and records it and the
// registers that differ from `image` in `record` (its result becomes
// `differs` when there are any). The returned result is the read's.
LinkResult Verify(DeviceLink& link, const EepromImage& image, EepromImage& readBack,
                  LogRecord& record);

// The image a device read back as `readBack` should hold: for a unit
// stamped with a value of its own, the image with the value it holds.
using ExpectedImage = std::function<EepromImage(const EepromImage& readBack)>;

// As Verify, comparing the read-back with the image `expected` makes of it.
LinkResult Verify(DeviceLink& link, const ExpectedImage& expected, EepromImage& readBack,
                  LogRecord& record);

// Writes `image` to the device over `link` and, when `verify`, reads it
// back into `readBack` over the same open link and compares: the download
// is stored only when all 128 registers match. `readBack` is written only
// when the read-back succeeded; then `record` holds the device's digest
// and the registers that differ.
DownloadOutcome Download(DeviceLink& link, const EepromImage& image, EepromImage& readBack,
                         LogRecord& record, const DeviceLink::Progress& progress = {},
                         int pageSize = 1, bool verify = true);

// Checks the port, the adapter, the bus and the EEPROM step by step through
// `ports`, writing nothing; every failed step fails `record` with its line.
ProbeReport Probe(PortFactory& ports, LogRecord& record);

// The first half of command 32776: loads kDefaultImageFile from the current
// directory into `image`, kept open and locked in `held` until the caller's
// download is over, and records the file (its absolute path, and its digest
// when loaded). A file that cannot be loaded fails `record` with its message.
ImageFileResult LoadDefault(EepromImage& image, LockedFile& held, LogRecord& record);
}  // namespace DeviceCommands
