#pragma once

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "EepromImage.h"

class DeviceLink;
class PortFactory;

// tarnel-cli: the device commands for scripts on a production line.
//   read FILE     the device into an image file (no overwrite without --force)
//   write FILE    an image file to the device, then read back and compare
//   verify FILE   the device against an image file
//   dump          the device's registers as the main window's grid
//   probe         the adapter, the bus and the EEPROM checked step by step
//   list-ports    the parallel ports and I2C adapters present
// Results go to `out`, messages to `err`. With several ports, each runs on a
// thread of its own (MultiPortRunner).
class CliTool {
public:
    enum ExitCode {
        kSuccess = 0,
        kDifferences = 1,  // the device differs from the image
        kUsage = 2,
        kDeviceFailure = 3,  // the port or the device failed
        kFileFailure = 4,
    };

    // `progress` tells whether a progress line may be drawn on `err` (it is
    // a terminal).
    CliTool(std::ostream& out, std::ostream& err, bool progress);
    ~CliTool();

    // Runs the command line `arguments` (the program name first); returns
    // the exit code.
    int Run(const QStringList& arguments);
    // Has `setup` called on the port factory once the options made it, before
    // any port is opened (a test switches on a simulator fault with it). With
    // several ports it is called on each port's thread.
    void SetPortSetup(std::function<void(PortFactory&)> setup) { m_portSetup = std::move(setup); }

private:
    int Read(const QString& file, bool force);
    int Write(const QString& file, bool verify);
    int Verify(const QString& file);
    int Dump();
    int Probe();
    int ListPorts();
    // Runs the command line once for each port, all at once, with `file`
    // read once for all; read and --trace are refused there.
    int RunOnEveryPort(const QStringList& arguments, const std::vector<std::string>& ports,
                       const QString& command, const QString& file, bool traced);

    // Opens the link; on failure reports it and returns null.
    std::unique_ptr<DeviceLink> OpenLink();
    // Reads the device; on failure reports it and returns false.
    bool ReadDevice(EepromImage& image);
    // Loads an image file; on failure reports it and returns false.
    bool LoadFile(const QString& file, EepromImage& image);
    // Prints the registers that differ (all of them) and their count, or
    // "PASS!"; returns kSuccess or kDifferences.
    int Compare(const EepromImage& expected, const EepromImage& actual);
    void Report(const QString& message);
    void Inform(const QString& message);

    std::ostream& m_out;
    std::ostream& m_err;
    bool m_progress;
    bool m_quiet = false;
    // The one port of a run that RunOnEveryPort started, and the image file
    // it read for all ports; empty otherwise.
    std::string m_onePort;
    std::optional<EepromImage> m_loaded;
    std::unique_ptr<PortFactory> m_ports;
    std::function<void(PortFactory&)> m_portSetup;
};
