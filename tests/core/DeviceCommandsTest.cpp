// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceCommands.h"

#include <gtest/gtest.h>

namespace {

// A link whose device keeps what it is told to (or not), and whose read
// fails on request; it counts the opens it would need (none: one link).
class ScriptedLink : public DeviceLink {
public:
    bool writeFails = false;
    bool readFails = false;
    bool keepsBytes = true;
    EepromImage memory{};
    int reads = 0;

    LinkResult ReadAll(EepromImage& dest) override {
        ++reads;
        if (readFails) {
            return LinkResult::ReadFailure(0, "the bus is gone");
        }
        dest = memory;
        return LinkResult::Success();
    }
    LinkResult WriteAll(const EepromImage& image, const Progress&, int) override {
        if (writeFails) {
            return LinkResult::WriteFailure(0, "no acknowledge");
        }
        if (keepsBytes) {
            memory = image;
        }
        return LinkResult::Success();
    }
    void Probe(ProbeReport&) override {}
};

EepromImage Pattern() {
    EepromImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 3 + 1);
    }
    return image;
}

TEST(DownloadCommandTest, ADownloadIsStoredOnlyWhenItsReadBackOverTheSameLinkMatches) {
    using Stage = DeviceCommands::DownloadStage;
    struct Case {
        const char* name;
        bool writeFails, readFails, keepsBytes, verify;
        Stage stage;
        const char* message;
        int reads;
    };
    for (const Case& c : {
             Case{"stored", false, false, true, true, Stage::stored, "", 1},
             Case{"write fails", true, false, true, true, Stage::writeFailed,
                  "Writing the EEPROM failed at register 0", 0},
             Case{"read-back fails", false, true, true, true, Stage::readBackFailed,
                  "Download failed: the image was written but could not be read back", 1},
             Case{"write-protected", false, false, false, true, Stage::differs,
                  "Download failed: 127 of 128 registers read back differ", 1},
             Case{"no verify", false, true, false, false, Stage::stored, "", 0},
         }) {
        ScriptedLink link;
        link.writeFails = c.writeFails;
        link.readFails = c.readFails;
        link.keepsBytes = c.keepsBytes;
        EepromImage readBack{};
        readBack.fill(0xEE);
        const auto outcome = DeviceCommands::Download(link, Pattern(), readBack, {}, 1, c.verify);
        EXPECT_EQ(outcome.stage, c.stage) << c.name;
        EXPECT_EQ(outcome.result.ok, c.stage == Stage::stored) << c.name;
        EXPECT_EQ(outcome.result.message.rfind(c.message, 0), 0u)
            << c.name << ": " << outcome.result.message;
        EXPECT_EQ(link.reads, c.reads) << c.name;
        // The caller's buffer holds the device only when it was read.
        const bool read = c.stage == Stage::stored && c.verify ? true : c.stage == Stage::differs;
        EXPECT_EQ(readBack == link.memory, read) << c.name;
    }
}

}  // namespace
