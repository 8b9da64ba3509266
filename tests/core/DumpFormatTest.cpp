// SPDX-License-Identifier: GPL-3.0-or-later
#include "DumpFormat.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>

namespace {

// Every byte value class: printable text, 0x00, 0xFF and other unprintable bytes.
EepromImage Mixed() {
    EepromImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 2);
    }
    const char text[] = "tarnel!";
    std::copy(text, text + 7, image.begin() + 0x10);
    image[0x1F] = 0xFF;
    return image;
}

TEST(DumpFormatTest, I2cdumpHasTheHeaderEightRowsAndTheCharacterColumn) {
    const QStringList lines = DumpFormat::Format(DumpFormat::Kind::i2cdump, Mixed()).split('\n');
    ASSERT_EQ(lines.size(), 10);  // header, 8 rows, and the empty rest after the last newline
    EXPECT_EQ(lines[0], "     0  1  2  3  4  5  6  7  8  9  a  b  c  d  e  f    0123456789abcdef");
    EXPECT_EQ(lines[1], "00: 00 02 04 06 08 0a 0c 0e 10 12 14 16 18 1a 1c 1e    .???????????????");
    EXPECT_EQ(lines[2], "10: 74 61 72 6e 65 6c 21 2e 30 32 34 36 38 3a 3c ff    tarnel!.02468:<.");
    EXPECT_TRUE(lines[8].startsWith("70: e0 e2")) << lines[8].toStdString();
}

TEST(DumpFormatTest, XxdLayoutTurnsBackIntoTheBytes) {
    const QString dump = DumpFormat::Format(DumpFormat::Kind::xxd, Mixed());
    const QStringList lines = dump.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[1], "00000010: 7461 726e 656c 212e 3032 3436 383a 3cff  tarnel!.02468:<.");

    const QString xxd = QStandardPaths::findExecutable("xxd");
    if (xxd.isEmpty()) {
        GTEST_SKIP() << "xxd is not installed";
    }
    QProcess reverse;
    reverse.start(xxd, {"-r"});
    reverse.write(dump.toLatin1());
    reverse.closeWriteChannel();
    ASSERT_TRUE(reverse.waitForFinished(10000));
    const EepromImage image = Mixed();
    EXPECT_EQ(reverse.readAllStandardOutput(),
              QByteArray(reinterpret_cast<const char*>(image.data()), 128));
}

}  // namespace
