#include "ImageFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include "QtPrinters.h"

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
};

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
    EXPECT_EQ(result.Message(), "Access to /sys/tarnel-test.dat was denied.");
}

TEST_F(ImageFileTest, AFailedReadLeavesTheImageUntouched) {
    EepromImage image = Image(6);
    EXPECT_FALSE(ImageFile::Read(Path("none.dat"), image).ok());
    QFile shortFile(Path("short.dat"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(127, 'x'));
    shortFile.close();
    const ImageFileResult result = ImageFile::Read(Path("short.dat"), image);
    EXPECT_EQ(result.stage, ImageFileResult::Stage::Short);
    EXPECT_EQ(result.size, 127);
    EXPECT_EQ(image, Image(6));
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
