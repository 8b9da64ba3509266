// SPDX-License-Identifier: GPL-3.0-or-later
#include "VerifyReport.h"

#include <gtest/gtest.h>

namespace {

EepromImage Pattern() {
    EepromImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 7 + 1);
    }
    return image;
}

TEST(VerifyReportTest, EqualBuffersShowPassThreeTimesAndNoList) {
    const std::vector<ReportText> expected = {
        {80, 100, "PASS!"}, {285, 100, "PASS!"}, {490, 100, "PASS!"}};
    EXPECT_EQ(VerifyReport::Layout(Pattern(), Pattern()), expected);
}

TEST(VerifyReportTest, ASingleDifferenceIsOneLineInBlockZero) {
    EepromImage read = Pattern();
    read[5] = 0x0A;
    const std::vector<ReportText> expected = {{40, 55, "05"}, {105, 55, "24"}, {165, 55, "0A"}};
    EXPECT_EQ(VerifyReport::Layout(Pattern(), read), expected);
    EXPECT_EQ(VerifyReport::DifferingRegisters(Pattern(), read), std::vector<int>{5});
}

TEST(VerifyReportTest, TheTwentyFirstLineOpensBlockOne) {
    EepromImage read = Pattern();
    for (int i = 0; i < 21; ++i) {
        read[i] ^= 0xFF;
    }
    const std::vector<ReportText> texts = VerifyReport::Layout(Pattern(), read);
    ASSERT_EQ(texts.size(), 63u);
    EXPECT_EQ(texts[57].y, 340);  // line 20 of block 0
    EXPECT_EQ(texts[60], (ReportText{245, 55, "20"}));
    EXPECT_EQ(texts[61].x, 310);
    EXPECT_EQ(texts[62].x, 370);
}

TEST(VerifyReportTest, HighAddressesShowThreeDigits) {
    EepromImage read = Pattern();
    read[127] ^= 1;
    EXPECT_EQ(VerifyReport::Layout(Pattern(), read).front().text, "127");
}

TEST(VerifyReportTest, SixtyDifferencesFillTheBlocksWithoutTheCountLine) {
    EepromImage read = Pattern();
    for (int i = 0; i < 60; ++i) {
        read[i * 2] ^= 0x80;
    }
    const std::vector<ReportText> texts = VerifyReport::Layout(Pattern(), read);
    ASSERT_EQ(texts.size(), 180u);
    EXPECT_EQ(texts.back(), (ReportText{575, 340, "BB"}));  // register 118 in block 2, line 19
}

TEST(VerifyReportTest, MoreThanSixtyDifferencesListTheLowestSixtyAndSaySo) {
    EepromImage read = Pattern();
    for (int i = 0; i < 61; ++i) {
        read[i] ^= 0x01;
    }
    const std::vector<ReportText> texts = VerifyReport::Layout(Pattern(), read);
    ASSERT_EQ(texts.size(), 181u);
    EXPECT_EQ(texts[177].text, "59");
    EXPECT_EQ(texts.back(), (ReportText{40, 355, "61 differ, 60 listed"}));
}

}  // namespace
