// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceCommands.h"

#include "DeviceMessages.h"

DeviceCommands::DownloadOutcome DeviceCommands::Download(DeviceLink& link, const EepromImage& image,
                                                         EepromImage& readBack,
                                                         const DeviceLink::Progress& progress,
                                                         int pageSize, bool verify) {
    LinkResult result = link.WriteAll(image, progress, pageSize);
    if (!result) {
        return {DownloadStage::writeFailed, result};
    }
    if (!verify) {
        return {DownloadStage::stored, result};
    }
    result = link.ReadAll(readBack);
    if (!result) {
        return {DownloadStage::readBackFailed,
                LinkResult::Failure(
                    -1, DeviceMessages::DownloadNotReadBack(QString::fromStdString(result.message))
                            .toStdString())};
    }
    const QString notStored = DeviceMessages::DownloadNotStored(image, readBack);
    if (!notStored.isEmpty()) {
        return {DownloadStage::differs, LinkResult::Failure(-1, notStored.toStdString())};
    }
    return {DownloadStage::stored, result};
}
