// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Readers for the small files and numbered entries through which the kernel
// describes its devices in /dev, /sys and /proc.
namespace KernelFiles {
// The first line of a small text file, without its newline; "" when it
// cannot be read.
std::string FirstLine(const std::string& path);
// The numbers of the entries of `dir` named `prefix` followed by digits
// ("i2c-" gives 3 for i2c-3), in ascending order.
std::vector<int> Numbered(const std::string& dir, const std::string& prefix);
// The hint for a device node `path` that the user may not open: `joinHint`
// (how to join `group`) when the user is not in `group`; when they are
// already, that the node is not open to the group, naming its group and mode,
// since joining again would change nothing.
std::string PermissionHint(const std::string& path, const std::string& group,
                           const std::string& joinHint);
}  // namespace KernelFiles
