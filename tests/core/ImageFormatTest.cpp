// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageFormat.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <sstream>

#include "ImageFile.h"
#include "QtPrinters.h"

namespace {

using Kind = ImageFormat::Kind;

EepromImage Image(uint8_t offset) {
    EepromImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 7 + offset);
    }
    return image;
}

QList<QByteArray> Lines(Kind kind, const EepromImage& image) {
    QList<QByteArray> lines = ImageFormat::Encode(kind, image).split('\n');
    lines.removeLast();  // after the last "\n"
    return lines;
}

QByteArray Join(const QList<QByteArray>& lines) {
    return lines.join('\n') + '\n';
}

// What decoding `text` says; empty when it gave `Image(0)`.
QString DecodeProblem(Kind kind, const QByteArray& text) {
    EepromImage image = Image(99);
    const QString problem = ImageFormat::DecodeText(kind, text, image);
    if (problem.isEmpty() && image != Image(0)) {
        return QStringLiteral("decoded to another image");
    }
    if (!problem.isEmpty() && image != Image(99)) {
        return QStringLiteral("failed but changed the image");
    }
    return problem;
}

TEST(ImageFormatTest, NamesChooseTheFormatInAnyCase) {
    const std::pair<const char*, Kind> cases[] = {
        {"a.hex", Kind::ihex},    {"A.HEX", Kind::ihex},      {"dir.srec/a.ihex", Kind::ihex},
        {"a.ihx", Kind::ihex},    {"a.srec", Kind::srec},     {"a.S19", Kind::srec},
        {"a.mot", Kind::srec},    {"a.dat", Kind::raw},       {"hex", Kind::raw},
        {"a.hex.dat", Kind::raw}, {"default.dat", Kind::raw}, {"-", Kind::raw},
    };
    for (const auto& [name, kind] : cases) {
        EXPECT_EQ(ImageFormat::ForName(name), kind) << name;
    }
    EXPECT_EQ(ImageFormat::Parse("srec"), Kind::srec);
    EXPECT_EQ(ImageFormat::Parse("hex"), std::nullopt);
}

TEST(ImageFormatTest, WrittenTextHasTheRecordsOfEachFormat) {
    EepromImage image{};
    image[0x10] = 0xAB;
    const QList<QByteArray> ihex = Lines(Kind::ihex, image);
    ASSERT_EQ(ihex.size(), 9);
    EXPECT_EQ(ihex[1], ":10001000AB00000000000000000000000000000035");
    EXPECT_EQ(ihex[8], ":00000001FF");
    const QList<QByteArray> srec = Lines(Kind::srec, image);
    ASSERT_EQ(srec.size(), 11);
    EXPECT_EQ(srec[0], "S00900007461726E656C70");  // "tarnel"
    EXPECT_EQ(srec[2], "S1130010AB00000000000000000000000000000031");
    EXPECT_EQ(srec[9], "S5030008F4");
    EXPECT_EQ(srec[10], "S9030000FC");
    for (const Kind kind : {Kind::ihex, Kind::srec}) {
        EXPECT_EQ(DecodeProblem(kind, ImageFormat::Encode(kind, Image(0))), QString());
        EXPECT_FALSE(ImageFormat::Encode(kind, image).contains('\r'));
    }
}

TEST(ImageFormatTest, ReadersTakeWhatOtherToolsWrite) {
    const QList<QByteArray> ihex = Lines(Kind::ihex, Image(0));
    // Lower case, CRLF, an extended linear address of 0, a start address and
    // a record repeating register 0 with the same value.
    QList<QByteArray> variant = {":020000040000FA"};
    for (int i = 0; i < 8; ++i) {
        variant << ihex[i].toLower() + '\r';
    }
    variant << ":0100000000FF"
            << ":0400000500000000F7"
            << ":00000001FF";
    EXPECT_EQ(DecodeProblem(Kind::ihex, Join(variant)), QString());

    // S3 records with 32-bit addresses and an S7 end, without header or count.
    QList<QByteArray> s3;
    for (int at = 0; at < 128; at += 32) {
        QByteArray bytes = QByteArray::fromHex("25000000") + char(at);
        for (int i = 0; i < 32; ++i) {
            bytes += static_cast<char>(Image(0)[at + i]);
        }
        int sum = 0;
        for (const char byte : bytes) {
            sum += static_cast<uint8_t>(byte);
        }
        s3 << "S3" + (bytes + static_cast<char>(~sum & 0xFF)).toHex().toUpper();
    }
    s3 << "S70500000000FA";
    EXPECT_EQ(DecodeProblem(Kind::srec, Join(s3)), QString());
}

struct Broken {
    const char* what;
    Kind kind;
    std::function<void(QList<QByteArray>&)> damage;
    const char* message;
};

TEST(ImageFormatTest, BrokenFilesAreRefusedWithTheLineAndWhatIsWrong) {
    const QList<QByteArray> otherIhex = Lines(Kind::ihex, Image(1));
    const QList<QByteArray> otherSrec = Lines(Kind::srec, Image(1));
    const Broken cases[] = {
        {"checksum", Kind::ihex, [](auto& l) { l[2].back() = l[2].back() == '0' ? '1' : '0'; },
         "line 3: the checksum is 0x"},
        {"digit", Kind::ihex, [](auto& l) { l[1][12] = 'G'; },
         "line 2: \"G\" is not a hexadecimal digit"},
        {"colon", Kind::ihex, [](auto& l) { l[0][0] = ';'; }, "line 1: a record begins with"},
        {"length", Kind::ihex, [](auto& l) { l[3].remove(9, 2); },
         "line 4: the record holds 15 data bytes where its length says 16"},
        {"gap", Kind::ihex, [](auto& l) { l.removeAt(3); },
         "line 8: the end record comes with registers 48 to 63 missing"},
        {"overlap", Kind::ihex, [&](auto& l) { l.insert(5, otherIhex[1]); },
         "line 6: register 16 is given as 71 here but as 70 on line 2"},
        {"outside", Kind::ihex, [](auto& l) { l.insert(8, ":01008000AAD5"); },
         "line 9: data at address 0x80 lies outside registers 0 to 127"},
        {"upper segment", Kind::ihex, [](auto& l) { l.insert(0, ":020000040001F9"); },
         "line 2: data at address 0x10000 lies outside"},
        {"type", Kind::ihex, [](auto& l) { l.insert(0, ":00000006FA"); },
         "line 1: record type 0x06 has no place in an image file"},
        {"no end", Kind::ihex, [](auto& l) { l.removeLast(); },
         "line 8: the file ends without an end record"},
        {"after end", Kind::ihex, [](auto& l) { l << "" << l[0]; },
         "line 11: a record follows the end record on line 9"},
        {"empty", Kind::ihex, [](auto& l) { l.clear(); }, "line 1: the file ends without"},
        {"checksum", Kind::srec, [](auto& l) { l[4][10] = l[4][10] == '0' ? '1' : '0'; },
         "line 5: the checksum is 0x"},
        {"count", Kind::srec, [](auto& l) { l[9] = "S5030007F5"; },
         "line 10: the count record says 7 data records where the file has 8"},
        {"type", Kind::srec, [](auto& l) { l[0] = "S4030000FC"; },
         "line 1: record type S4 has no place"},
        {"overlap", Kind::srec, [&](auto& l) { l.insert(3, otherSrec[1]); },
         "line 4: register 0 is given as 01 here but as 00 on line 2"},
        {"outside", Kind::srec, [](auto& l) { l.insert(9, "S1040080AAD1"); },
         "line 10: data at address 0x80 lies outside"},
        {"gap", Kind::srec, [](auto& l) { l.remove(8, 2); },
         "line 9: the end record comes with registers 112 to 127 missing"},
        {"no end", Kind::srec, [](auto& l) { l.removeLast(); },
         "line 10: the file ends without an end record"},
    };
    for (const Broken& broken : cases) {
        QList<QByteArray> lines = Lines(broken.kind, Image(0));
        broken.damage(lines);
        const QString problem = DecodeProblem(broken.kind, Join(lines));
        EXPECT_TRUE(problem.startsWith(broken.message))
            << broken.what << ": " << problem.toStdString();
    }
}

// Runs objcopy with `arguments`; false, with the reason, when it failed.
::testing::AssertionResult Objcopy(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("objcopy"), arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return ::testing::AssertionFailure()
               << "objcopy " << arguments.join(' ').toStdString() << ": "
               << process.readAllStandardError().toStdString();
    }
    return ::testing::AssertionSuccess();
}

TEST(ImageFormatTest, ObjcopyReadsWhatTarnelWritesAndTheOtherWayRound) {
    if (QStandardPaths::findExecutable(QStringLiteral("objcopy")).isEmpty()) {
        GTEST_SKIP() << "objcopy is not installed";
    }
    QTemporaryDir dir;
    const QString raw = dir.filePath("image.dat");
    ASSERT_TRUE(ImageFile::Write(raw, Image(5)).ok());
    for (const auto& [name, bfd] : {std::pair{"image.hex", "ihex"}, {"image.s19", "srec"}}) {
        const QString theirs = dir.filePath(QStringLiteral("objcopy-") + name);
        ASSERT_TRUE(Objcopy({"-I", "binary", "-O", bfd, raw, theirs}));
        EepromImage read{};
        const ImageFileResult result = ImageFile::Read(theirs, read);
        EXPECT_TRUE(result.ok()) << result.Message().toStdString();
        EXPECT_EQ(read, Image(5)) << name;

        const QString ours = dir.filePath(name);
        ASSERT_TRUE(ImageFile::Write(ours, Image(9)).ok());
        const QString back = dir.filePath(QStringLiteral("back-") + bfd + ".bin");
        ASSERT_TRUE(Objcopy({"-I", bfd, "-O", "binary", ours, back}));
        QFile file(back);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(bytes, ImageFormat::Encode(Kind::raw, Image(9))) << name;
    }
}

TEST(ImageFormatTest, ImageFilesAndStreamsUseTheFormatOfTheirNameOrTheOneChosen) {
    QTemporaryDir dir;
    const QString hex = dir.filePath("image.HEX");
    ASSERT_TRUE(ImageFile::Write(hex, Image(2)).ok());
    QFile file(hex);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), ImageFormat::Encode(Kind::ihex, Image(2)));
    file.close();

    // A text image read as raw is 128 ASCII characters; read by its name, it is the image.
    EepromImage read{};
    ASSERT_TRUE(ImageFile::Read(hex, read, nullptr, Kind::raw).ok());
    EXPECT_EQ(read[0], ':');
    ASSERT_TRUE(ImageFile::Read(hex, read).ok());
    EXPECT_EQ(read, Image(2));

    const QString broken = dir.filePath("broken%1.srec");
    ASSERT_TRUE(ImageFile::Write(broken, Image(2), Kind::ihex).ok());
    read = Image(0);
    const ImageFileResult refused = ImageFile::Read(broken, read);
    EXPECT_EQ(refused.stage, ImageFileResult::Stage::Invalid);
    EXPECT_EQ(refused.Message(), broken +
                                     " is not a valid S-record image: line 1: a record "
                                     "begins with \"S\" and its type.");
    EXPECT_EQ(read, Image(0));

    std::istringstream stream(ImageFormat::Encode(Kind::srec, Image(4)).toStdString());
    ASSERT_TRUE(ImageFile::ReadStream(stream, "standard input", read, Kind::srec).ok());
    EXPECT_EQ(read, Image(4));
    std::istringstream large(std::string(ImageFormat::kMaxTextSize + 1, '\n'));
    EXPECT_EQ(ImageFile::ReadStream(large, "standard input", read, Kind::ihex).Message(),
              "standard input is not a valid Intel HEX image: the file is larger than an image "
              "file can be (1048576 bytes).");
}

}  // namespace
