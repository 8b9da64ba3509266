// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "DeviceLink.h"
#include "SimFaults.h"

class PortSession;
class SimEeprom;
struct PortKind;

// Turns the port name of a run into open links to the EEPROM. Which kind of
// port a name is, and so which link it gives (bit-banged or transfer), is
// decided by the table of port kinds (PortKinds) alone; the device commands
// only see a DeviceLink. The device commands open a port for each command
// and drop it when done; what the ports of the run share (the simulated
// switch, whose memory and write-cycle state carry over from one command to
// the next, and the bus trace) lives in the factory's PortSession. Links
// opened by the factory refer to it, so they must not outlive it.
class PortFactory {
public:
    static constexpr const char* kDefaultPortName = "/dev/parport0";

    // The port name to use: `option` (the --port value) when not empty, else
    // the environment variable TARNEL_PORT when set and not empty, else
    // /dev/parport0.
    static std::string ChoosePortName(const std::string& option);
    // The simulator faults named in the environment variable TARNEL_SIM_FAULT
    // (comma-separated); none when it is unset. Throws PortNameError
    // naming an unknown fault.
    static SimFaults ChooseSimFaults();
    // The simulated EEPROM's page size from the environment variable
    // TARNEL_SIM_PAGE; SimEeprom::kDefaultPageSize when it is unset or
    // empty. Throws PortNameError when it is no page size.
    static int ChooseSimPageSize();

    // Throws PortNameError, with the message for the user, when `name` is not
    // a port name of any kind (empty and malformed names included) or names
    // no port tarnel may drive (an io: base that is no parallel port's);
    // opens nothing and looks no I2C adapter up.
    static void CheckName(const std::string& name);

    explicit PortFactory(std::string portName);
    ~PortFactory();
    PortFactory(const PortFactory&) = delete;
    PortFactory& operator=(const PortFactory&) = delete;

    const std::string& PortName() const { return m_portName; }

    // Records the bus traffic of every port opened from now on into `vcdPath`.
    // Throws PortNameError, before any file is made, when the port's bus
    // lines cannot be traced (an I2C adapter), and PortError when a trace is
    // set already or the file cannot be created.
    void SetTrace(const std::string& vcdPath);
    // Pushes the trace out to its file; returns why it could not be written,
    // or none when it was (or no trace is recorded).
    std::optional<std::string> FlushTrace();
    // Opens the link to the EEPROM through the named port. Throws PortError
    // with a message for the user when the name is unknown or the port
    // cannot be opened.
    std::unique_ptr<DeviceLink> OpenLink();
    // Faults the simulated switch starts with when it is created.
    void SetSimFaults(const SimFaults& faults);
    // Page size the simulated EEPROM has when it is created.
    void SetSimPageSize(int bytes);
    // The run's simulated EEPROM, created on first use; null unless the port
    // name is a simulated one.
    SimEeprom* Simulator();
    // What the run's ports share; tests reach the simulator's adapter, the
    // wrappers and the kernel's side of the ports (the /dev and sysfs roots,
    // the ppdev, port I/O and i2c-dev fakes) through it.
    PortSession& Session() { return *m_session; }

private:
    std::string m_portName;
    const PortKind* m_kind;
    std::unique_ptr<PortSession> m_session;
};
