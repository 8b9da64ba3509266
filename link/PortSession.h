// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "I2cSysfs.h"
#include "LptPort.h"
#include "SimEeprom.h"

class I2cDevAdapter;
class IoSystem;
class PpdevSystem;
class SimSwitch;
class VcdWriter;

// What the ports opened in one run share, handed to every PortKind's open:
// the wrappers of bit-banged ports (the bus trace, a test's recorder), the
// kernel's side of the ports (where /dev and sysfs are, the ppdev calls, the
// port I/O, the i2c-dev ioctls: the running kernel's unless a test gives
// fakes), the folder that file names in port names are relative to, and the
// run's simulated switch.
class PortSession {
public:
    // Wraps a freshly opened port in another port (a trace, a test's recorder).
    using Wrapper = std::function<std::unique_ptr<LptPort>(std::unique_ptr<LptPort>)>;

    // Takes the current folder as the one relative file names refer to.
    PortSession();
    ~PortSession();
    PortSession(const PortSession&) = delete;
    PortSession& operator=(const PortSession&) = delete;

    // Wraps every port opened from now on with `wrapper`, after the wrappers
    // added before it.
    void AddWrapper(Wrapper wrapper);
    // `port` in every wrapper, in the order they were added.
    std::unique_ptr<LptPort> Wrap(std::unique_ptr<LptPort> port) const;
    // Records the bus of every bit-banged port opened from now on into
    // `vcdPath`. Throws PortError when a trace is set already or the file
    // cannot be created.
    void SetTrace(const std::string& vcdPath);
    // Pushes the trace out to its file; returns why it could not be written,
    // or none when it was (or no trace is recorded).
    std::optional<std::string> FlushTrace();

    // Reads what the kernel tells about I2C adapters below `root` instead of
    // /sys (tests give a fake tree).
    void SetSysfsRoot(std::string root) { m_sysfsRoot = std::move(root); }
    const std::string& SysfsRoot() const { return m_sysfsRoot; }
    // Finds the device nodes of i2c:N and i2c:NAME below `root` instead of
    // /dev (tests give a fake tree).
    void SetDevRoot(std::string root) { m_devRoot = std::move(root); }
    const std::string& DevRoot() const { return m_devRoot; }

    // The ppdev ports opened from now on make their system calls to `system`
    // instead of the kernel.
    void SetPpdevSystem(std::unique_ptr<PpdevSystem> system);
    PpdevSystem& Ppdev();
    // The io: ports opened from now on do their port I/O through `system`.
    void SetIoSystem(std::unique_ptr<IoSystem> system);
    IoSystem& Io();
    // Makes an i2c-dev adapter from the arguments of I2cDevAdapter's
    // constructor; a test's answers the adapter's ioctls itself.
    using I2cDevOpener = std::function<std::unique_ptr<I2cDevAdapter>(
        int number, const std::string& devDir, const std::string& sysDir,
        const std::string& deviceName)>;
    // Opens the i2c-dev adapters from now on with `opener`.
    void SetI2cDevOpener(I2cDevOpener opener) { m_i2cDevOpener = std::move(opener); }
    // Opens adapter `number` under `devDir` (named `deviceName` there when
    // given), with sysfs at SysfsRoot(). Throws PortError as the adapter's
    // constructor does.
    std::unique_ptr<I2cDevAdapter> OpenI2cDev(int number, const std::string& devDir,
                                              const std::string& deviceName) const;
    // `file` made absolute against the folder that was current when the
    // session began (a port's file is fixed when the port is named, though
    // the GUI's file dialogs move the current folder); "" stays "".
    std::string Resolve(const std::string& file) const;

    // Faults the simulated switch starts with when it is created.
    void SetSimFaults(const SimFaults& faults) { m_simFaults = faults; }
    // Page size the simulated EEPROM has when it is created.
    void SetSimPageSize(int bytes) { m_simPageSize = bytes; }
    // The run's simulated switch, created on first use.
    SimSwitch& Simulation();

private:
    std::string m_startFolder;
    std::string m_sysfsRoot = I2cSysfs::kDefaultRoot;
    std::string m_devRoot = "/dev";
    std::unique_ptr<PpdevSystem> m_ppdev;
    std::unique_ptr<IoSystem> m_io;
    I2cDevOpener m_i2cDevOpener;
    std::vector<Wrapper> m_wrappers;
    std::unique_ptr<VcdWriter> m_trace;
    SimFaults m_simFaults;
    int m_simPageSize = SimEeprom::kDefaultPageSize;
    std::unique_ptr<SimSwitch> m_sim;
};
