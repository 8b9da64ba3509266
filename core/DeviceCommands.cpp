// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceCommands.h"

#include <QFileInfo>

#include "DeviceMessages.h"
#include "LogRecord.h"
#include "PortProbe.h"

LinkResult DeviceCommands::Upload(DeviceLink& link, EepromImage& image, LogRecord& record) {
    const LinkResult result = link.ReadAll(image);
    if (result) {
        record.SetDevice(image);
    }
    return result;
}

LinkResult DeviceCommands::Verify(DeviceLink& link, const EepromImage& image, EepromImage& readBack,
                                  LogRecord& record) {
    return Verify(
        link, [&image](const EepromImage&) { return image; }, readBack, record);
}

LinkResult DeviceCommands::Verify(DeviceLink& link, const ExpectedImage& expected,
                                  EepromImage& readBack, LogRecord& record) {
    const LinkResult result = Upload(link, readBack, record);
    if (result) {
        record.Compare(expected(readBack), readBack);
    }
    return result;
}

DeviceCommands::DownloadOutcome DeviceCommands::Download(DeviceLink& link, const EepromImage& image,
                                                         EepromImage& readBack, LogRecord& record,
                                                         const DeviceLink::Progress& progress,
                                                         int pageSize, bool verify) {
    LinkResult result = link.WriteAll(image, progress, pageSize);
    if (!result) {
        return {DownloadStage::writeFailed, result};
    }
    if (!verify) {
        return {DownloadStage::stored, result};
    }
    result = Verify(link, image, readBack, record);
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

ProbeReport DeviceCommands::Probe(PortFactory& ports, LogRecord& record) {
    ProbeReport report = PortProbe::Run(ports);
    for (const ProbeStep& step : report.Steps()) {
        if (!step.passed) {
            record.Fail(QString::fromStdString(step.Line()));
        }
    }
    return report;
}

ImageFileResult DeviceCommands::LoadDefault(EepromImage& image, LockedFile& held,
                                            LogRecord& record) {
    const QString name = QString::fromLatin1(kDefaultImageFile);
    // Its full path: a later dialog may change the current directory, and
    // the record must still name the file that was loaded.
    const QString path = QFileInfo(name).absoluteFilePath();
    const ImageFileResult loaded = ImageFile::Read(name, image, &held);
    if (loaded.ok()) {
        record.SetFile(path, image);
    } else {
        record.SetFile(path);
        record.Fail(loaded.Message());
    }
    return loaded;
}
