// SPDX-License-Identifier: GPL-3.0-or-later
#include "IoBaseClaim.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "PortError.h"

namespace {

TEST(IoBaseClaimTest, APortIsHeldByOneUserAtATimeWithinAndAcrossProcesses) {
    const std::string dir = std::string(TARNEL_TEST_TMP) + "/ioclaim-" + std::to_string(::getpid());
    std::filesystem::create_directories(dir);
    ::chmod(dir.c_str(), 0755);
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

    std::filesystem::remove_all(dir);
}

TEST(IoBaseClaimTest, AClaimThatCannotBeTakenSafelyFails) {
    const std::string dir =
        std::string(TARNEL_TEST_TMP) + "/ioclaim-safe-" + std::to_string(::getpid());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const auto folder = [&dir](const std::string& name, mode_t mode) {
        const std::string path = dir + "/" + name;
        ::mkdir(path.c_str(), mode);
        ::chmod(path.c_str(), mode);
        return path;
    };
    const bool root = ::geteuid() == 0;
    ::close(::open((dir + "/file").c_str(), O_CREAT | O_WRONLY, 0644));
    const std::string shared = folder("shared", 01777);
    const std::string others = folder("others", 0755);
    ::close(::open(IoBaseClaim::LockPath(0x378, others).c_str(), O_CREAT | O_RDWR, 0644));
    const bool othersOwned =
        root && ::chown(IoBaseClaim::LockPath(0x378, others).c_str(), 65534, 65534) == 0;
    const struct {
        std::string lockDir;
        bool claimed;
        const char* message;  // in the refusal
    } cases[] = {
        {dir + "/new", true, ""},  // made, 0755
        {shared, false, "is not a folder that only its owner, root, can write to"},
        {others, !othersOwned, "belongs to another user"},
        {dir + "/missing/deeper", true, ""},  // a missing parent is made too
        {dir + "/file/deeper", false, "cannot create the folder"},
    };
    for (const auto& c : cases) {
        try {
            const IoBaseClaim claim(0x378, c.lockDir);
            EXPECT_TRUE(c.claimed) << c.lockDir;
            struct stat info {};
            ASSERT_EQ(::stat(IoBaseClaim::LockPath(0x378, c.lockDir).c_str(), &info), 0);
            EXPECT_EQ(info.st_mode & 07777, 0600u);  // nobody else can take its lock
        } catch (const PortError& error) {
            EXPECT_FALSE(c.claimed) << c.lockDir;
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
    struct stat made {};
    ASSERT_EQ(::stat((dir + "/new").c_str(), &made), 0);
    EXPECT_EQ(made.st_mode & 07777, 0755u);
    EXPECT_NO_THROW(IoBaseClaim(0x378, dir + "/new"));  // a failed claim left no claim behind
    std::filesystem::remove_all(dir);
}

}  // namespace
