// SPDX-License-Identifier: GPL-3.0-or-later
#include "IoBaseClaim.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>

#include "PortError.h"

namespace {

TEST(IoBaseClaimTest, APortIsHeldByOneUserAtATimeWithinAndAcrossProcesses) {
    const std::string dir = std::string(TARNEL_TEST_TMP) + "/ioclaim-" + std::to_string(::getpid());
    std::filesystem::create_directories(dir);
    {
        const IoBaseClaim first(0x378, dir);
        EXPECT_THROW(IoBaseClaim(0x378, dir), PortError);  // another thread of the run
        const IoBaseClaim other(0x278, dir);
        // Another process finds the lock file locked.
        const int fd = ::open(IoBaseClaim::LockPath(0x378, dir).c_str(), O_RDWR | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        EXPECT_NE(::flock(fd, LOCK_EX | LOCK_NB), 0);
        ::close(fd);
    }
    EXPECT_NO_THROW(IoBaseClaim(0x378, dir));  // given back

    // A lock another process holds refuses the claim, and leaves no claim.
    const int holder =
        ::open(IoBaseClaim::LockPath(0x3BC, dir).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    try {
        const IoBaseClaim refused(0x3BC, dir);
        ADD_FAILURE() << "a locked port was claimed";
    } catch (const PortError& error) {
        EXPECT_NE(std::string(error.what()).find("0x3BC is in use"), std::string::npos)
            << error.what();
    }
    ::close(holder);
    EXPECT_NO_THROW(IoBaseClaim(0x3BC, dir));

    // Without a usable lock folder the claim still holds within the process.
    const IoBaseClaim unlocked(0x378, dir + "/missing");
    EXPECT_THROW(IoBaseClaim(0x378, dir + "/missing"), PortError);
    std::filesystem::remove_all(dir);
}

}  // namespace
