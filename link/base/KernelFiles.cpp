// SPDX-License-Identifier: GPL-3.0-or-later
#include "KernelFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace KernelFiles {

std::string FirstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

std::vector<int> Numbered(const std::string& dir, const std::string& prefix) {
    std::vector<int> numbers;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0 || name.size() == prefix.size() ||
            name.size() > prefix.size() + 5) {
            continue;
        }
        const std::string digits = name.substr(prefix.size());
        if (digits.find_first_not_of("0123456789") == std::string::npos) {
            numbers.push_back(std::stoi(digits));
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

}  // namespace KernelFiles
