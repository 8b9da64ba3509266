// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DeviceLink.h"
#include "I2cSysfs.h"
#include "LptPort.h"
#include "SimEeprom.h"
#include "SimI2cAdapter.h"
#include "VcdWriter.h"

// Turns a port name into an open port:
//   /dev/parportN  the kernel's ppdev driver (the default, /dev/parport0)
//   io:0x378       direct port I/O at a parallel port's base (x86, needs root)
//   sim            a simulated switch EEPROM in memory, holding a visible pattern
//   sim:FILE       a simulated switch EEPROM whose 128 bytes are kept in FILE,
//                  read at each open and locked while the port is open
//   i2c:/dev/i2c-N, i2c:N   an I2C adapter through the kernel's i2c-dev
//   i2c:NAME       the I2C adapter whose kernel name is NAME, or begins with
//                  it when exactly one does (it keeps across re-plugging)
//   i2c:sim, i2c:sim:FILE   a simulated switch EEPROM on an I2C adapter
// Which link a name gives (bit-banged parallel port or i2c-dev) is decided
// here alone; the device commands only see a DeviceLink.
// The device commands open a port for each command and drop it when done; the
// factory keeps one simulated EEPROM for the whole run, so its memory and its
// write-cycle state carry over from one command to the next (with sim:FILE
// the memory is what FILE holds at each open). With a trace set,
// every port it opens records the bus into that one VCD file.
class PortFactory {
public:
    static constexpr const char* kDefaultPortName = "/dev/parport0";
    // Length of the simulated EEPROM's write cycle after each write.
    static constexpr std::chrono::milliseconds kSimWriteCycle{5};

    // The port name to use: `option` (the --port value) when not empty, else
    // the environment variable TARNEL_PORT when set and not empty, else
    // /dev/parport0.
    static std::string ChoosePortName(const std::string& option);
    // The simulator faults named in the environment variable TARNEL_SIM_FAULT
    // (comma-separated); none when it is unset. Throws std::invalid_argument
    // naming an unknown fault.
    static SimEeprom::Faults ChooseSimFaults();
    // The simulated EEPROM's page size from the environment variable
    // TARNEL_SIM_PAGE; SimEeprom::kDefaultPageSize when it is unset or
    // empty. Throws std::invalid_argument when it is no page size.
    static int ChooseSimPageSize();

    // Throws PortNameError, with the message for the user, when `name` is not
    // a port name the factory knows (empty and malformed names included) or
    // names no port tarnel may drive (an io: base that is no parallel
    // port's); opens nothing and looks no I2C adapter up.
    static void CheckName(const std::string& name);

    explicit PortFactory(std::string portName);

    const std::string& PortName() const { return m_portName; }
    // Wraps a freshly opened port in another port (a trace, a test's recorder).
    using Wrapper = std::function<std::unique_ptr<LptPort>(std::unique_ptr<LptPort>)>;

    // Records the bus traffic of every port opened from now on into `vcdPath`.
    // Throws PortError, before any file is made, when the port is an I2C
    // adapter (no bus lines to trace) or a trace is set already, and when the
    // file cannot be created. Links opened by the factory refer to its trace and simulator,
    // so they must not outlive it.
    void SetTrace(const std::string& vcdPath);
    // Reads what the kernel tells about I2C adapters below `root` instead of
    // /sys (tests give a fake tree).
    void SetSysfsRoot(std::string root) { m_sysfsRoot = std::move(root); }
    // Wraps every port opened from now on with `wrapper`, after the wrappers
    // added before it.
    void AddWrapper(Wrapper wrapper);
    // Pushes the trace out to its file; returns why it could not be written,
    // or empty when it was (or no trace is recorded).
    std::string FlushTrace();
    // Opens the named parallel port. Throws PortError with a message for the
    // user when the name is unknown or the port cannot be opened.
    std::unique_ptr<LptPort> Open();
    // Opens the link to the EEPROM through the named port; what the device
    // commands use. Throws PortError as Open() does.
    std::unique_ptr<DeviceLink> OpenLink();
    // The run's simulated EEPROM, created on first use with the faults set
    // by SetSimFaults; null unless the port name is a simulated one.
    SimEeprom* Simulator();
    // Faults the simulated EEPROM starts with when it is created.
    void SetSimFaults(const SimEeprom::Faults& faults) { m_simFaults = faults; }
    // Page size the simulated EEPROM has when it is created.
    void SetSimPageSize(int bytes) { m_simPageSize = bytes; }
    // Faults of the simulated I2C adapter (for tests), and the transfers it
    // was asked for so far.
    SimI2cAdapter::Faults& I2cSimFaults() { return m_i2cFaults; }
    int I2cSimTransfers() const { return m_i2cTransfers; }

private:
    std::unique_ptr<LptPort> OpenBackend();
    bool IsI2c() const;
    // Opens the file of a sim:FILE port, loading it into the simulator; null
    // for a simulator in memory.
    std::unique_ptr<SimEepromFile> OpenSimFile();

    std::string m_portName;
    std::string m_simFile;  // the absolute path of a sim:FILE port's file, else empty
    std::string m_sysfsRoot = I2cSysfs::kDefaultRoot;
    std::unique_ptr<SimEeprom> m_sim;
    SimEeprom::Faults m_simFaults;
    int m_simPageSize = SimEeprom::kDefaultPageSize;
    std::unique_ptr<VcdWriter> m_trace;
    std::vector<Wrapper> m_wrappers;
    SimI2cAdapter::Faults m_i2cFaults;
    int m_i2cTransfers = 0;
};
