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
}  // namespace KernelFiles
