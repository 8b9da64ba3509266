// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

#include "CommandTarget.h"
#include "Prompter.h"

class DeviceLink;
class LogRecord;
class OperationRunner;
struct ImageFileResult;
struct LinkResult;

// The document: it holds no data of its own (the application object does) and
// carries the handlers of the File and Tools commands. Its title is the first
// part of the main window's caption.
class CtarnelDoc : public MappedCommandTarget<CtarnelDoc> {
public:
    CtarnelDoc();

    const QString& GetTitle() const { return m_strTitle; }
    // Sets the title; the frame's caption follows it.
    void SetTitle(const QString& title);

    // Zeroes the register image and repaints; the file name and title stay.
    void OnFileNew();
    // Asks for a file and loads it (see LoadImageFile). A confirmed file's
    // folder becomes the current directory, also when loading fails.
    void OnFileOpen();
    // Opens `path` as a file confirmed in File > Open: its folder becomes the
    // current directory, then the file is loaded (see LoadImageFile).
    void OpenImageFile(const QString& path);
    // Writes the current file, or runs Save As when there is none.
    void OnFileSave();
    // Asks for a file and writes the image to it; on success the file
    // becomes the current file and the title. A confirmed file's folder
    // becomes the current directory, also when writing fails.
    void OnFileSaveAs();

    // Reads the device into the register image, repaints, title "Upload";
    // on failure reports it and changes nothing.
    void OnToolsUpload();
    // Writes the register image to the device, reads it back and, when all
    // 128 registers match, asks for a switch reset; otherwise reports the
    // failure or the registers that differ.
    void OnToolsDownload();
    // Reads the device into the read-back buffer and shows the verify
    // report; on failure reports it and shows no report.
    void OnToolsVerify();
    // Runs the register editor; on OK the main window repaints at once. The
    // title and file name stay.
    void OnToolsModify();
    // Loads "default.dat" from the current directory, shows it, and writes it
    // to the device while the file stays open and locked. The file name and
    // title become "default.dat" once the file is loaded.
    void OnDownloadDefault();

    // Loads the image file `path`: on success the image, the current file
    // name and the title become the file's and the main window repaints; on
    // failure the error is reported and nothing changes. Returns success.
    bool LoadImageFile(const QString& path);
    // Writes the register image to `path`; reports a failure and returns false.
    bool WriteImageFile(const QString& path);

private:
    // Command identifier to handler.
    static const CommandMap<CtarnelDoc>& Map();
    friend class MappedCommandTarget<CtarnelDoc>;
    // The record of device operation `operation` ("upload", ...) on the
    // run's port, its clock started.
    static LogRecord NewRecord(const QString& operation);
    // Opens the link to the device, runs `operation` over it, gives the port
    // back and appends `record`, finished with the outcome, to the audit log
    // (when one is kept). An audit log that cannot be opened stops the
    // command before the device is touched; a port that cannot be opened, a
    // failed operation, any exception, a trace that could not be written and
    // a record that cannot be written are reported (stop icon). Returns
    // whether the operation succeeded.
    bool RunOnDevice(LogRecord& record, const std::function<LinkResult(DeviceLink&)>& operation);
    // Opens the audit log of `runner` when one is kept; reports a log that
    // cannot be opened and returns false.
    bool OpenAuditLog(OperationRunner& runner);
    // Finishes `record` and appends it to the log of `runner`; reports a
    // record that cannot be written, with the operation's own result.
    void AppendRecord(OperationRunner& runner, LogRecord& record);
    // Writes the register image to the device and reads it back into a
    // scratch buffer: only when all 128 registers match does it return true.
    // A failure, or a read-back that differs (how many and the first few),
    // is reported (caption "TARNEL", stop icon) and recorded in `record`.
    // Changes no data of the application.
    bool DownloadImage(LogRecord& record);
    // Shows the message of a failed image-file operation.
    void ReportFileError(const ImageFileResult& result);
    // Shows a failure's message and notes it as the outcome of the command
    // being routed.
    void ReportFailure(const QString& text, const QString& caption, Prompter::Icon icon);

    QString m_strTitle;
    // The register at which the last Download stopped after the switch had
    // taken the registers before it (a write cycle that never ends stops it
    // so), or -1: a later failure of another command then says that the
    // switch answered, rather than only pointing at the cable and power.
    int m_downloadStoppedAt = -1;
};
