// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QJsonObject>
#include <QStringList>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "DeviceCommands.h"
#include "DumpFormat.h"
#include "EepromImage.h"
#include "ImageFile.h"
#include "OperationRunner.h"
#include "Stamp.h"

class DeviceLink;
class LogRecord;
class PortFactory;

// tarnel-cli: the device commands for scripts on a production line.
//   read FILE     the device into an image file (no overwrite without --force)
//   write FILE    an image file to the device, then read back and compare
//   verify FILE   the device against an image file
//   dump          the device's registers as the main window's grid (or --format)
//   compare FILE1 FILE2   two image files, without a port
//   convert IN OUT        an image file into another format, without a port
//   probe         the adapter, the bus and the EEPROM checked step by step
//   list-ports    the parallel ports and I2C adapters present
//   counter       the counters write --stamp takes units' values from (CounterTool)
// FILE "-" is standard input (write, verify, compare) or standard output
// (read, convert's OUT). An image file's format (raw, Intel HEX, S-record)
// is the one its name says, or the one --image-format chooses. Every device
// operation appends a record to the audit log (--log,
// TARNEL_LOG); --json prints the record instead of the text results.
// Results go to `out`, messages to `err`. With several ports, each runs on a
// thread of its own (MultiPortRunner).
class CliTool {
    Q_DECLARE_TR_FUNCTIONS(CliTool)

public:
    enum ExitCode {
        kSuccess = 0,
        kDifferences = 1,  // the device differs from the image
        kUsage = 2,
        kDeviceFailure = 3,  // the port or the device failed
        kFileFailure = 4,    // an image file or the audit log failed
    };

    // `progress` tells whether a progress line may be drawn on `err` (it is
    // a terminal); images named "-" are read from `in`.
    CliTool(std::ostream& out, std::ostream& err, bool progress, std::istream& in = std::cin);
    ~CliTool();

    // Runs the command line `arguments` (the program name first); returns
    // the exit code.
    int Run(const QStringList& arguments);
    // Has `setup` called on the port factory once the options made it, before
    // any port is opened (a test switches on a simulator fault with it). With
    // several ports it is called on each port's thread.
    void SetPortSetup(std::function<void(PortFactory&)> setup) { m_portSetup = std::move(setup); }
    // Tells that the process started with its standard input closed: "-"
    // is then refused as closed, not read as empty.
    void SetInputClosed() { m_inputClosed = true; }

private:
    // Run without the JSON form of a usage error.
    int RunArguments(const QStringList& arguments);
    // Runs one device command: whatever it throws is reported, recorded in
    // `record` and exits 3 (the port or the device failed); a trace that
    // could not be written is reported and turns success into exit 4.
    int RunCommand(LogRecord& record, const std::function<int()>& command);
    int Read(LogRecord& record, const QString& file, bool force);
    int Write(LogRecord& record, const QString& file, bool verify);
    int Verify(LogRecord& record, const QString& file);
    int Dump(LogRecord& record, DumpFormat::Kind format);
    int CompareFiles(LogRecord& record, const QString& first, const QString& second);
    int Convert(LogRecord& record, const QString& in, const QString& out, bool force);
    int Probe(LogRecord& record);
    int ListPorts();
    // Runs the command line once for each port, all at once, with `file`
    // read once for all; read and --trace are refused there.
    int RunOnEveryPort(const QStringList& arguments, const std::vector<std::string>& ports,
                       const QString& command, const QString& file, bool traced);

    // Ends the operation of `record` with exit status `exit`: with --json,
    // prints it with the fields of `output` added; fails it (exit 4) when
    // standard output could not take the results; then, last, appends the
    // record with its final result and exit status to the audit log.
    // Returns that status, or kFileFailure when the record could not be
    // logged (which is reported with the operation's own result).
    int Conclude(LogRecord& record, int exit, const QJsonObject& output = {});
    // Reports `message`, marks `record` failed with it and returns `exit`.
    int Fail(LogRecord& record, const QString& message, int exit);

    // Reads the device into `image` and records its digest and, given
    // `expected`, the registers that differ from the image it makes of the
    // read-back (DeviceCommands::Verify); on failure reports it and returns
    // false.
    bool ReadDevice(LogRecord& record, EepromImage& image,
                    const DeviceCommands::ExpectedImage& expected = {});
    // The format of `file`, the command's FILE number `position` (from 0):
    // the --image-format given for it, else the one its name says.
    ImageFormat::Kind FormatOf(const QString& file, int position = 0) const;
    // Reads the image file `file` ("-": standard input), the command's FILE
    // number `position`, into `image`.
    ImageFileResult ReadImage(const QString& file, EepromImage& image, int position = 0);
    // Loads an image file ("-": standard input), the command's FILE number
    // `position`, and records it; on failure reports it and returns false.
    bool LoadFile(LogRecord& record, const QString& file, EepromImage& image, int position = 0);
    // Writes `image` to the image file `file` ("-": standard output), the
    // command's FILE number `position`; the message of a failure, or empty.
    QString StoreImage(const QString& file, const EepromImage& image, int position);
    // Compares and records the differences, then shows them (ShowDifferences).
    int Compare(LogRecord& record, const EepromImage& expected, const EepromImage& actual);
    // Prints every differing register of `record` and their count, or
    // "PASS!" (not with --json). Returns kSuccess or kDifferences.
    int ShowDifferences(const LogRecord& record);
    // Reports the usage error `message` and returns kUsage; with --json, Run
    // then prints it as {"error": message, "exit": 2}.
    int Usage(const QString& message);
    void Report(const QString& message);
    void Inform(const QString& message);

    std::ostream& m_out;
    std::ostream& m_err;
    std::istream& m_in;
    bool m_progress;
    bool m_quiet = false;
    bool m_json = false;
    QString m_usageError;
    bool m_inputClosed = false;
    // The formats --image-format chose: one for every FILE, or one each.
    std::vector<ImageFormat::Kind> m_formats;
    int m_pageSize = 1;            // registers per write transaction (--page-size)
    std::optional<Stamp> m_stamp;  // --stamp
    QString m_counterSource;       // --counter
    OperationRunner m_runner;      // the audit log and the steps around each device command
    // The one port of a run that RunOnEveryPort started, and the outcome of
    // reading its image file for all ports; empty otherwise.
    std::string m_onePort;
    std::optional<std::pair<ImageFileResult, EepromImage>> m_loaded;
    std::unique_ptr<PortFactory> m_ports;
    std::function<void(PortFactory&)> m_portSetup;
};
