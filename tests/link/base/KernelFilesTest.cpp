// SPDX-License-Identifier: GPL-3.0-or-later
#include "KernelFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

// A user who is already in the device's group is not told to join it again:
// the hint names the node's group and mode instead.
TEST(KernelFilesTest, ThePermissionHintTellsAMemberWhyJoiningWouldNotHelp) {
    const std::filesystem::path node = std::filesystem::path(TARNEL_TEST_TMP) / "permission-node";
    std::ofstream(node) << "";
    std::filesystem::permissions(
        node, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(KernelFiles::PermissionHint(node, "tarnel-no-such-group", "join it"), "join it");
    if (::getegid() != 0 || ::chown(node.c_str(), 0, 65534) != 0) {
        GTEST_SKIP() << "needs root, to give the node to another group";
    }
    const std::string hint = KernelFiles::PermissionHint(node, "root", "join it");
    EXPECT_NE(hint.find("You are in group root already, but " + node.string()), std::string::npos)
        << hint;
    EXPECT_NE(hint.find("with mode 0600"), std::string::npos) << hint;
    EXPECT_EQ(hint.find("join it"), std::string::npos) << hint;
}
