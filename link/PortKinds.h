// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "PortKind.h"

// The table of port kinds: the one place that lists them. The port factory,
// both programs' help, list-ports and the "Unknown port" message come from
// it, and a test checks the man pages and the README against it. A new
// adapter adds its folder under ports/ and one line to the table.
namespace PortKinds {
// Every kind, in the order the help lists them.
const std::vector<const PortKind*>& All();
// The kind `name` belongs to (the longest prefix it begins with); null when
// it belongs to none.
const PortKind* Find(const std::string& name);
// Every form of every kind, separated by commas, for an option's help:
// "/dev/parportN, io:0x378, sim, sim:FILE, ...".
std::string FormList();
// Every kind's forms with its help: "/dev/parportN (the kernel's ppdev
// driver, default /dev/parport0), io:0x378 (...), ..., or ...".
std::string Described();
// Throws PortNameError: "Unknown port "<name>". Use <Described()>."
[[noreturn]] void ThrowUnknown(const std::string& name);
}  // namespace PortKinds
