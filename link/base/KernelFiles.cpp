// SPDX-License-Identifier: GPL-3.0-or-later
#include "KernelFiles.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "LinkText.h"

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

namespace {
bool InGroup(gid_t gid) {
    if (::getegid() == gid) {
        return true;
    }
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(count, 0)));
    if (count <= 0 || ::getgroups(count, groups.data()) != count) {
        return false;
    }
    return std::find(groups.begin(), groups.end(), gid) != groups.end();
}
}  // namespace

std::string PermissionHint(const std::string& path, const std::string& group,
                           const std::string& joinHint) {
    const struct group* entry = ::getgrnam(group.c_str());
    struct stat info {};
    if (entry == nullptr || !InGroup(entry->gr_gid) || ::stat(path.c_str(), &info) != 0) {
        return joinHint;
    }
    const struct group* owner = ::getgrgid(info.st_gid);
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(info.st_mode & 07777));
    return TARNEL_TEXT("KernelFiles",
                       "You are in group %1 already, but %2 belongs to group %3 with mode %4, "
                       "which does not let the group open it: give it to group %1 with read and "
                       "write for the group (a udev rule with GROUP=\"%1\", MODE=\"0660\").")
        .Text(group, path,
              owner != nullptr ? std::string(owner->gr_name) : std::to_string(info.st_gid), mode);
}

}  // namespace KernelFiles
