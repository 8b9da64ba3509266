// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceCommands.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "LockedFile.h"
#include "LogRecord.h"
#include "PortFactory.h"
#include "PortSession.h"
#include "RecordingPort.h"
#include "SimEeprom.h"

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
             // The first four differing registers are listed, then "...".
             Case{"write-protected", false, false, false, true, Stage::differs,
                  "Download failed: 127 of 128 registers read back differ from the image "
                  "(register 0 written 01 read 00, register 1 written 04 read 00, register 2 "
                  "written 07 read 00, register 3 written 0A read 00, ...). The switch holds a "
                  "wrong image",
                  1},
             Case{"no verify", false, true, false, false, Stage::stored, "", 0},
         }) {
        ScriptedLink link;
        link.writeFails = c.writeFails;
        link.readFails = c.readFails;
        link.keepsBytes = c.keepsBytes;
        EepromImage readBack{};
        readBack.fill(0xEE);
        LogRecord record("tarnel", "sim", "download");
        const auto outcome =
            DeviceCommands::Download(link, Pattern(), readBack, record, {}, 1, c.verify);
        EXPECT_EQ(outcome.stage, c.stage) << c.name;
        EXPECT_EQ(outcome.result.ok, c.stage == Stage::stored) << c.name;
        EXPECT_EQ(outcome.result.message.rfind(c.message, 0), 0u)
            << c.name << ": " << outcome.result.message;
        EXPECT_EQ(link.reads, c.reads) << c.name;
        // The caller's buffer holds the device only when it was read.
        const bool read = c.stage == Stage::stored && c.verify ? true : c.stage == Stage::differs;
        EXPECT_EQ(readBack == link.memory, read) << c.name;
        // The record holds the device and its differences only when read back.
        EXPECT_EQ(record.ToJson(LogRecord::Fields::output)["device_sha256"].isString(), read)
            << c.name;
        EXPECT_EQ(record.Differences().size(), c.stage == Stage::differs ? 127u : 0u) << c.name;
    }
}

// A port that shorts the data line low after `goodWrites` writes, as a
// connector that fails during a download: every later acknowledge reads as
// given.
class SdaStuckLater : public LptPort {
public:
    SdaStuckLater(std::unique_ptr<LptPort> inner, SimEeprom& sim, int goodWrites)
        : m_inner(std::move(inner)), m_sim(sim), m_goodWrites(goodWrites) {}

protected:
    void OutData(uint8_t value) override {
        m_inner->WriteData(value);
        Count();
    }
    void OutControl(uint8_t value) override {
        m_inner->WriteControl(value);
        Count();
    }
    uint8_t InStatus() override { return m_inner->ReadStatus(); }

private:
    void Count() {
        if (--m_goodWrites == 0) {
            m_sim.GetFaults().sdaHeldLow = true;
        }
    }
    std::unique_ptr<LptPort> m_inner;
    SimEeprom& m_sim;
    int m_goodWrites;
};

TEST(DownloadCommandTest, AWriteThatOnlySeemedAcknowledgedIsCaughtByTheReadBack) {
    // The data line sticks low in register 2: the rest of the write reads as
    // acknowledged, and the read-back over the same link cannot even start.
    PortFactory ports("sim");
    SimEeprom& sim = *ports.Simulator();
    sim.SetWriteCycle(1);
    ports.Session().AddWrapper([&sim](std::unique_ptr<LptPort> port) -> std::unique_ptr<LptPort> {
        return std::make_unique<SdaStuckLater>(std::move(port), sim, 2 * 90 + 40);
    });
    const std::unique_ptr<DeviceLink> link = ports.OpenLink();
    EepromImage readBack{};
    LogRecord record("tarnel", "sim", "download");
    const auto outcome = DeviceCommands::Download(*link, Pattern(), readBack, record);
    EXPECT_EQ(outcome.stage, DeviceCommands::DownloadStage::readBackFailed);
    EXPECT_EQ(outcome.result.message.rfind(
                  "Download failed: the image was written but could not be read back", 0),
              0u)
        << outcome.result.message;
    EXPECT_EQ(readBack, EepromImage{});
}

TEST(DeviceCommandTest, VerifyReadsTheDeviceWithTheSameTrafficAsUpload) {
    PortFactory ports("sim");
    std::vector<PortEvent> log;
    ports.Session().AddWrapper([&log](std::unique_ptr<LptPort> port) -> std::unique_ptr<LptPort> {
        return std::make_unique<RecordingPort>(std::move(port), log);
    });
    const auto writes = [&log] {
        std::vector<std::pair<PortEvent::Kind, uint8_t>> list;
        for (const PortEvent& e : log) {
            if (e.kind == PortEvent::Kind::Data || e.kind == PortEvent::Kind::Control) {
                list.emplace_back(e.kind, e.value);
            }
        }
        log.clear();
        return list;
    };
    EepromImage image{};
    LogRecord upload("tarnel", "sim", "upload");
    ASSERT_TRUE(DeviceCommands::Upload(*ports.OpenLink(), image, upload));
    const auto uploadWrites = writes();
    EepromImage readBack{};
    LogRecord verify("tarnel", "sim", "verify");
    ASSERT_TRUE(DeviceCommands::Verify(*ports.OpenLink(), image, readBack, verify));
    EXPECT_EQ(uploadWrites.size(), 2911u);
    EXPECT_EQ(writes(), uploadWrites);
}

TEST(DeviceCommandTest, UploadAndVerifyRecordTheDeviceOnlyWhenItWasRead) {
    for (const bool readFails : {false, true}) {
        ScriptedLink link;
        link.readFails = readFails;
        link.memory = Pattern();
        link.memory[7] ^= 0xFF;
        EepromImage uploaded{};
        LogRecord upload("tarnel", "sim", "upload");
        EXPECT_EQ(DeviceCommands::Upload(link, uploaded, upload).ok, !readFails);
        EepromImage readBack{};
        LogRecord verify("tarnel", "sim", "verify");
        EXPECT_EQ(DeviceCommands::Verify(link, Pattern(), readBack, verify).ok, !readFails);
        for (const LogRecord* record : {&upload, &verify}) {
            EXPECT_EQ(record->ToJson(LogRecord::Fields::output)["device_sha256"].isString(),
                      !readFails);
        }
        EXPECT_EQ(uploaded == link.memory, !readFails);
        // Verify's read-back goes to the buffer it is handed, with the one
        // differing register in its record.
        EXPECT_EQ(readBack == link.memory, !readFails);
        const std::vector<RegisterDifference> seventh{
            {7, Pattern()[7], static_cast<uint8_t>(Pattern()[7] ^ 0xFF)}};
        EXPECT_EQ(verify.Differences(), readFails ? std::vector<RegisterDifference>{} : seventh);
        EXPECT_EQ(verify.GetResult(),
                  readFails ? LogRecord::Result::ok : LogRecord::Result::differs);
    }
}

TEST(DeviceCommandTest, VerifyCanCompareWithAnImageMadeFromWhatTheDeviceHolds) {
    ScriptedLink link;
    link.memory = Pattern();
    link.memory[9] = 0x5A;  // the unit's own register
    EepromImage readBack{};
    LogRecord record("tarnel-cli", "sim", "verify");
    EepromImage seen{};
    const auto expected = [&seen](const EepromImage& held) {
        seen = held;
        EepromImage image = Pattern();
        image[9] = held[9];
        return image;
    };
    EXPECT_TRUE(DeviceCommands::Verify(link, expected, readBack, record));
    EXPECT_EQ(seen, link.memory);
    EXPECT_TRUE(record.Differences().empty());
    EXPECT_EQ(record.GetResult(), LogRecord::Result::ok);
}

TEST(DeviceCommandTest, AProbeFailsItsRecordWithTheLineOfTheStepThatFailed) {
    for (const bool absent : {false, true}) {
        PortFactory ports("sim");
        ports.SetSimFaults({.absent = absent});
        LogRecord record("tarnel-cli", "sim", "probe");
        const ProbeReport report = DeviceCommands::Probe(ports, record);
        EXPECT_EQ(report.Passed(), !absent);
        EXPECT_EQ(record.GetResult(), absent ? LogRecord::Result::failed : LogRecord::Result::ok);
        if (absent) {
            EXPECT_EQ(record.Message().toStdString(), report.Steps().back().Line());
        }
    }
}

TEST(DeviceCommandTest, TheDefaultImageIsLoadedLockedAndRecordedOrItsFailureIsRecorded) {
    const QTemporaryDir dir;
    const QString saved = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const QString path = QDir(dir.path()).absoluteFilePath("default.dat");
    for (const bool present : {true, false}) {
        QFile::remove(path);
        if (present) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            const EepromImage pattern = Pattern();
            file.write(reinterpret_cast<const char*>(pattern.data()), kEepromSize);
        }
        EepromImage image{};
        LockedFile held;
        LogRecord record("tarnel", "sim", "download-default");
        const ImageFileResult loaded = DeviceCommands::LoadDefault(image, held, record);
        const QJsonObject json = record.ToJson(LogRecord::Fields::output);
        EXPECT_EQ(loaded.ok(), present);
        EXPECT_EQ(held.IsOpen(), present);
        EXPECT_EQ(json["file"].toString(), path);
        EXPECT_EQ(json["file_sha256"].isString(), present);
        EXPECT_EQ(image == Pattern(), present);
        EXPECT_EQ(record.Message(), present ? QString() : loaded.Message());
    }
    QDir::setCurrent(saved);
}

}  // namespace
