// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageFile.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <thread>
#include <tuple>

#include "NonRegularFiles.h"
#include "QtPrinters.h"
#include "SignalCleanup.h"

namespace {

EepromImage Image(uint8_t offset) {
    EepromImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 5 + offset);
    }
    return image;
}

class ImageFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString Path(const QString& name) const { return dir.filePath(name); }
    static mode_t Mode(const QString& path) {
        struct stat info {};
        EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
        return info.st_mode & 07777;
    }
    QStringList Entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    static QByteArray Name(const QString& path) { return QFile::encodeName(path); }
    static EepromImage ReadBack(const QString& path) {
        EepromImage read{};
        EXPECT_TRUE(ImageFile::Read(path, read).ok()) << path.toStdString();
        return read;
    }
};

// Runs `body` in a child process as the user and group nobody; its exit
// status, or -1 when the child could not switch.
int RunAsNobody(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) {
            ::_exit(255);
        }
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) != 255 ? WEXITSTATUS(status) : -1;
}

TEST_F(ImageFileTest, WrittenFilesRoundTripAndHoldExactly128Bytes) {
    const QString path = Path("a.dat");
    ASSERT_TRUE(ImageFile::Write(path, Image(3)).ok());
    EXPECT_EQ(QFileInfo(path).size(), 128);
    EepromImage read{};
    ASSERT_TRUE(ImageFile::Read(path, read).ok());
    EXPECT_EQ(read, Image(3));
    EXPECT_EQ(Entries(), QStringList{"a.dat"});  // no temporary file left
}

TEST_F(ImageFileTest, ReplacingKeepsTheOldPermissionsAndANewFileFollowsTheUmask) {
    const QString old = Path("old.dat");
    ASSERT_TRUE(ImageFile::Write(old, Image(1)).ok());
    ::chmod(QFile::encodeName(old).constData(), 0640);
    ASSERT_TRUE(ImageFile::Write(old, Image(2)).ok());
    EXPECT_EQ(Mode(old), 0640u);

    const mode_t previous = ::umask(022);
    ASSERT_TRUE(ImageFile::Write(Path("new.dat"), Image(1)).ok());
    ::umask(previous);
    EXPECT_EQ(Mode(Path("new.dat")), 0644u);
}

TEST_F(ImageFileTest, ASymbolicLinkIsFollowed) {
    const QString real = Path("real.dat");
    ASSERT_TRUE(ImageFile::Write(real, Image(1)).ok());
    ASSERT_TRUE(QFile::link(real, Path("link.dat")));
    ASSERT_TRUE(ImageFile::Write(Path("link.dat"), Image(9)).ok());
    EXPECT_TRUE(QFileInfo(Path("link.dat")).isSymLink());
    EepromImage read{};
    ASSERT_TRUE(ImageFile::Read(real, read).ok());
    EXPECT_EQ(read, Image(9));
}

TEST_F(ImageFileTest, ALinkToAFileNotThereYetCreatesThatFile) {
    ASSERT_TRUE(QFile::link("later.dat", Path("link.dat")));  // relative, dangling
    ASSERT_TRUE(ImageFile::Write(Path("link.dat"), Image(5)).ok());
    EXPECT_TRUE(QFileInfo(Path("link.dat")).isSymLink());
    EepromImage read{};
    ASSERT_TRUE(ImageFile::Read(Path("later.dat"), read).ok());
    EXPECT_EQ(read, Image(5));
}

TEST_F(ImageFileTest, AShortFileMessageKeepsPercentSignsInTheName) {
    QFile file(Path("a%2b%1.dat"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("abc");
    file.close();
    EepromImage image{};
    EXPECT_EQ(ImageFile::Read(Path("a%2b%1.dat"), image).Message(),
              Path("a%2b%1.dat") +
                  " is not an image file: it holds 3 bytes where an image file "
                  "holds 128.");
    QFile one(Path("one.dat"));
    ASSERT_TRUE(one.open(QIODevice::WriteOnly));
    one.write("a");
    one.close();
    EXPECT_TRUE(
        ImageFile::Read(Path("one.dat"), image).Message().contains("it holds 1 byte where"));
}

TEST_F(ImageFileTest, AWriteThatFailsHalfwayLeavesTheOldFileAndNoTemporaryFile) {
    const QString path = Path("keep.dat");
    ASSERT_TRUE(ImageFile::Write(path, Image(4)).ok());
    // Let the process write at most 64 bytes to any file.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const ImageFileResult result = ImageFile::Write(path, Image(8));
    ::setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(result.stage, ImageFileResult::Stage::Transfer);
    EXPECT_EQ(result.fileName, path);
    EXPECT_EQ(result.Message(), "Disk full while accessing " + path + ".");
    EepromImage read{};
    ASSERT_TRUE(ImageFile::Read(path, read).ok());
    EXPECT_EQ(read, Image(4));
    EXPECT_EQ(Entries(), QStringList{"keep.dat"});
}

TEST_F(ImageFileTest, AReadOnlyLocationIsAccessDenied) {
    const ImageFileResult result = ImageFile::Write("/sys/tarnel-test.dat", Image(0));
    EXPECT_EQ(result.stage, ImageFileResult::Stage::Open);
    EXPECT_EQ(result.Message(), "Access to /sys was denied.");  // the folder is the cause
}

TEST_F(ImageFileTest, AFailedReadLeavesTheImageUntouched) {
    EepromImage image = Image(6);
    EXPECT_FALSE(ImageFile::Read(Path("none.dat"), image).ok());
    QFile shortFile(Path("short.dat"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(127, 'x'));
    shortFile.close();
    const ImageFileResult result = ImageFile::Read(Path("short.dat"), image);
    EXPECT_EQ(result.stage, ImageFileResult::Stage::WrongLength);
    EXPECT_EQ(result.size, 127);
    EXPECT_EQ(image, Image(6));
}

TEST_F(ImageFileTest, OnlyRegularFilesAreReadOrReplacedAndTheCheckCannotBlock) {
    auto files = MakeNonRegularFiles(dir.path());
    ASSERT_GE(files.size(), 3u);
    ASSERT_TRUE(QFile::link(files[0].first, Path("link.dat")));  // judged by what it points to
    files.emplace_back(Path("link.dat"), files[0].second);
    for (const auto& [path, kind] : files) {
        const QString text = path + " is " + kind + ", not an image file.";
        EepromImage image = Image(1);
        EXPECT_EQ(ImageFile::Read(path, image).Message(), text);
        EXPECT_EQ(image, Image(1));
        EXPECT_EQ(ImageFile::Write(path, Image(2)).Message(), text);
        EXPECT_EQ(ImageFile::CheckTarget(path).Message(), text);
        struct stat info {};
        ASSERT_EQ(::stat(Name(path).constData(), &info), 0);
        EXPECT_FALSE(S_ISREG(info.st_mode)) << path.toStdString();
    }
}

TEST_F(ImageFileTest, SymbolicLinksAreFollowedOnlyWhereTheKernelWouldFollowThem) {
    // A sticky, world-writable folder owned by root, like /tmp, and a link
    // in it that the user nobody planted, pointing at root's file.
    ASSERT_TRUE(QDir(dir.path()).mkdir("shared"));
    ::chmod(Name(Path("shared")).constData(), 01777);
    const QString victim = Path("victim.dat");
    ASSERT_TRUE(ImageFile::Write(victim, Image(1)).ok());
    const QString planted = Path("shared/image.dat");
    ASSERT_TRUE(QFile::link(victim, planted));
    if (::geteuid() != 0 || ::lchown(Name(planted).constData(), 65534, 65534) != 0) {
        GTEST_SKIP() << "needs root to give the link to another user";
    }
    const ImageFileResult refused = ImageFile::Write(planted, Image(2));
    EXPECT_EQ(refused.stage, ImageFileResult::Stage::Refused);
    EXPECT_EQ(refused.Message(), planted +
                                     " is not followed: it leads through a symbolic link another "
                                     "user owns in the shared folder " +
                                     Path("shared") + ".");
    EXPECT_EQ(ReadBack(victim), Image(1));

    // The folder's owner may own the link; so may the saving user.
    ASSERT_EQ(::chown(Name(Path("shared")).constData(), 65534, 65534), 0);
    EXPECT_TRUE(ImageFile::Write(planted, Image(3)).ok());
    EXPECT_EQ(ReadBack(victim), Image(3));
    ASSERT_EQ(::chown(Name(Path("shared")).constData(), 0, 0), 0);
    ASSERT_EQ(::lchown(Name(planted).constData(), 0, 0), 0);
    EXPECT_TRUE(ImageFile::Write(planted, Image(4)).ok());
    EXPECT_EQ(ReadBack(victim), Image(4));

    // A loop is an error; neither link is replaced.
    ASSERT_TRUE(QFile::link("b.dat", Path("a.dat")));
    ASSERT_TRUE(QFile::link("a.dat", Path("b.dat")));
    EXPECT_EQ(ImageFile::Write(Path("a.dat"), Image(5)).Message(),
              Path("a.dat") + " leads through too many symbolic links (a loop).");
    EXPECT_TRUE(QFileInfo(Path("a.dat")).isSymLink());
    EXPECT_TRUE(QFileInfo(Path("b.dat")).isSymLink());
}

TEST_F(ImageFileTest, NamesPassThroughExactly) {
    // A name that was not valid UTF-8 reaches the program with a replacement
    // character; it must not land on the file whose name really holds one.
    const QString lossy = QFile::decodeName(Name(Path("x")) + "\xfe.dat");
    QFile existing(lossy);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    EepromImage image{};
    EXPECT_EQ(ImageFile::Read(lossy, image).Message(),
              lossy +
                  " cannot be used: the name is not valid UTF-8, so it would reach the "
                  "system changed.");
    EXPECT_EQ(ImageFile::Write(lossy, Image(1)).stage, ImageFileResult::Stage::Refused);
    EXPECT_EQ(QFileInfo(lossy).size(), 0);

    // The longest name a folder takes is saved, and replaced again.
    const QString longest = Path(QString(251, 'n') + ".dat");
    ASSERT_TRUE(ImageFile::Write(longest, Image(2)).ok());
    ASSERT_TRUE(ImageFile::Write(longest, Image(3)).ok());
    EXPECT_EQ(ReadBack(longest), Image(3));
}

TEST_F(ImageFileTest, AWritableFileIsSavedInPlaceWhereItsFolderAllowsNoReplacement) {
    // As the user nobody: its own file in root's read-only folder, and
    // root's writable file in root's sticky, world-writable folder.
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to give files to the user nobody";
    }
    ::chmod(Name(dir.path()).constData(), 0755);
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("sticky"));
    const QString own = Path("locked/mine.dat");
    const QString roots = Path("sticky/root.dat");
    ASSERT_TRUE(ImageFile::Write(own, Image(1)).ok());
    ASSERT_TRUE(ImageFile::Write(roots, Image(1)).ok());
    ::chmod(Name(own).constData(), 0640);
    ASSERT_EQ(::chown(Name(own).constData(), 65534, 65534), 0);
    ::chmod(Name(roots).constData(), 0666);
    ::chmod(Name(Path("locked")).constData(), 0555);
    ::chmod(Name(Path("sticky")).constData(), 01777);
    const int status = RunAsNobody([&] {
        const bool saved =
            ImageFile::Write(own, Image(2)).ok() && ImageFile::Write(roots, Image(3)).ok();
        const bool folderNamed = ImageFile::Write(Path("locked/new.dat"), Image(2)).Message() ==
                                 "Access to " + Path("locked") + " was denied.";
        return (saved ? 0 : 1) | (folderNamed ? 0 : 2);
    });
    if (status < 0) {
        GTEST_SKIP() << "cannot switch to the user nobody";
    }
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadBack(own), Image(2));
    EXPECT_EQ(ReadBack(roots), Image(3));
    for (const auto& [path, owner, mode] :
         {std::tuple{own, 65534u, 0640u}, std::tuple{roots, 0u, 0666u}}) {
        struct stat info {};
        ASSERT_EQ(::stat(Name(path).constData(), &info), 0);
        EXPECT_EQ(info.st_uid, owner);
        EXPECT_EQ(info.st_mode & 07777, mode);
    }
    EXPECT_EQ(QDir(Path("sticky")).entryList(QDir::Files | QDir::Hidden), QStringList{"root.dat"});
}

TEST_F(ImageFileTest, ReadersShareAndALockHeldElsewhereIsWaitedFor) {
    const QString path = Path("line.dat");
    ASSERT_TRUE(ImageFile::Write(path, Image(1)).ok());
    const QString inUse = path + " is in use by another program; try again.";
    const struct {
        int lock;         // what another program holds: LOCK_SH or LOCK_EX
        int releaseMs;    // when it lets go; -1: only after the operation
        bool save;        // a save, else a read
        QString message;  // empty: the operation succeeds
    } cases[] = {
        {LOCK_SH, -1, false, {}},     // stations verifying one image at once
        {LOCK_EX, 300, false, {}},    // a save in progress is waited for
        {LOCK_EX, -1, false, inUse},  // ... but not for ever
        {LOCK_SH, 300, true, {}},     // a save waits for the readers
        {LOCK_EX, 300, true, {}},     // two saves at once take turns
        {LOCK_EX, -1, true, inUse},
    };
    for (const auto& c : cases) {
        // Another open of the file holds its own lock, as another process does.
        const int other = ::open(Name(path).constData(), O_RDONLY | O_CLOEXEC);
        ASSERT_EQ(::flock(other, c.lock), 0);
        std::thread release;
        if (c.releaseMs >= 0) {
            release = std::thread([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(c.releaseMs));
                ::flock(other, LOCK_UN);
            });
        }
        EepromImage image{};
        const ImageFileResult result =
            c.save ? ImageFile::Write(path, Image(2)) : ImageFile::Read(path, image);
        if (release.joinable()) {
            release.join();
        }
        ::close(other);
        EXPECT_EQ(result.ok() ? QString() : result.Message(), c.message)
            << c.lock << " " << c.releaseMs << " " << c.save;
    }
}

TEST(SignalCleanupTest, ASignalAtAnyMomentOfTheSaveRemovesTheTemporaryFile) {
    QTemporaryDir dir;
    const std::string name = "temporary";
    const std::string path = QFile::encodeName(dir.filePath("temporary")).toStdString();
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        // The signal arrives while the file is being made, or once it is armed.
        for (bool beforeTheFile : {true, false}) {
            for (bool ignored : {false, true}) {
                ::unlink(path.c_str());
                const pid_t child = ::fork();
                if (child == 0) {
                    std::signal(signal, ignored ? SIG_IGN : SIG_DFL);
                    const int folder =
                        ::open(QFile::encodeName(dir.path()).constData(), O_PATH | O_DIRECTORY);
                    SignalCleanup cleanup;
                    if (beforeTheFile) {
                        ::raise(signal);
                    }
                    ::close(::openat(folder, name.c_str(), O_CREAT | O_WRONLY, 0600));
                    cleanup.Arm(folder, name);
                    if (!beforeTheFile) {
                        ::raise(signal);
                    }
                    ::_exit(0);
                }
                int status = 0;
                ::waitpid(child, &status, 0);
                // The signal takes its course: it ends the process, or stays ignored.
                EXPECT_EQ(WIFSIGNALED(status), !ignored) << signal << beforeTheFile;
                EXPECT_EQ(::access(path.c_str(), F_OK) == 0, ignored) << signal << beforeTheFile;
            }
        }
    }
}

TEST(FileErrorTest, SystemErrorsMapToTheirCauses) {
    using Cause = FileError::Cause;
    const struct {
        int error;
        Cause cause;
    } cases[] = {{ENOENT, Cause::fileNotFound},
                 {EACCES, Cause::accessDenied},
                 {EPERM, Cause::accessDenied},
                 {EROFS, Cause::accessDenied},
                 {EISDIR, Cause::accessDenied},
                 {ENOTDIR, Cause::badPath},
                 {ENAMETOOLONG, Cause::badPath},
                 {ENOSPC, Cause::diskFull},
                 {EDQUOT, Cause::diskFull},
                 {EMFILE, Cause::tooManyOpenFiles},
                 {ENFILE, Cause::tooManyOpenFiles},
                 {EFBIG, Cause::diskFull},
                 {EIO, Cause::hardIO},
                 {EWOULDBLOCK, Cause::sharingViolation},
                 {EXDEV, Cause::generic}};
    for (const auto& c : cases) {
        EXPECT_EQ(FileError::FromErrno(c.error), c.cause) << c.error;
    }
}

TEST(FileErrorTest, TextsNameTheFileOrAnUnnamedFile) {
    using Cause = FileError::Cause;
    EXPECT_EQ(FileError::Text(Cause::diskFull, "/a/b.dat"), "Disk full while accessing /a/b.dat.");
    EXPECT_EQ(FileError::Text(Cause::hardIO, ""),
              "A hardware I/O error was reported while accessing an unnamed file.");
    EXPECT_EQ(FileError::Text(Cause::badSeek, "x"), "Seek failed on x");
    EXPECT_EQ(FileError::Text(Cause::none, "x"), "No error occurred.");
    EXPECT_EQ(FileError::Text(Cause::tooManyOpenFiles, "x"),
              "x could not be opened because there are too many open files.");
}

}  // namespace
