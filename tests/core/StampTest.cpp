// SPDX-License-Identifier: GPL-3.0-or-later
#include "Stamp.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <set>

#include "Counter.h"
#include "FileCounter.h"

namespace {

TEST(StampTest, ParsesRegisterLengthAndOrderAndRefusesTheRest) {
    const struct {
        const char* text;
        int reg;  // -1: refused
        int length;
        Stamp::Order order;
    } cases[] = {
        {"16:6", 16, 6, Stamp::Order::be},
        {"0x10:6:le", 16, 6, Stamp::Order::le},
        {"120:8:be", 120, 8, Stamp::Order::be},
        {"127:1", 127, 1, Stamp::Order::be},
        {"121:8", -1, 0, {}},
        {"16:0", -1, 0, {}},
        {"16:9", -1, 0, {}},
        {"16", -1, 0, {}},
        {"16:6:xx", -1, 0, {}},
        {"-1:2", -1, 0, {}},
        {"16:6:le:x", -1, 0, {}},
        {"1 6:2", -1, 0, {}},
    };
    for (const auto& c : cases) {
        QString problem;
        const std::optional<Stamp> stamp = Stamp::Parse(c.text, problem);
        ASSERT_EQ(stamp.has_value(), c.reg >= 0) << c.text;
        if (stamp) {
            EXPECT_EQ(stamp->Register(), c.reg) << c.text;
            EXPECT_EQ(stamp->Length(), c.length) << c.text;
            EXPECT_EQ(stamp->ByteOrder(), c.order) << c.text;
        } else {
            EXPECT_TRUE(problem.contains("--stamp")) << problem.toStdString();
        }
    }
}

TEST(StampTest, AppliesTheValueInEitherOrderAndReadsItBack) {
    QString problem;
    const Stamp be = *Stamp::Parse("16:6", problem);
    const Stamp le = *Stamp::Parse("16:6:le", problem);
    const Stamp whole = *Stamp::Parse("0:8", problem);
    EepromImage image{};
    image.fill(0xEE);
    const EepromImage stamped = be.Apply(image, 0x001122000010);
    EXPECT_EQ((std::vector<uint8_t>(stamped.begin() + 15, stamped.begin() + 23)),
              (std::vector<uint8_t>{0xEE, 0x00, 0x11, 0x22, 0x00, 0x00, 0x10, 0xEE}));
    const EepromImage reversed = le.Apply(image, 0x001122000010);
    EXPECT_EQ(reversed[16], 0x10);
    EXPECT_EQ(reversed[21], 0x00);
    EXPECT_EQ(be.ValueIn(stamped), 0x001122000010u);
    EXPECT_EQ(le.ValueIn(reversed), 0x001122000010u);
    EXPECT_EQ(whole.ValueIn(whole.Apply(image, UINT64_MAX)), UINT64_MAX);
    EXPECT_TRUE(be.Fits(0xFFFFFFFFFFFF));
    EXPECT_FALSE(be.Fits(0x1000000000000));
    EXPECT_TRUE(whole.Fits(UINT64_MAX));
    EXPECT_EQ(
        le.ToJson(0x0F),
        (QJsonObject{{"register", 16}, {"length", 6}, {"order", "le"}, {"value", "00000000000F"}}));
}

TEST(StampTest, CounterValuesAreDecimalOrHexUpTo64Bits) {
    const struct {
        const char* text;
        std::optional<uint64_t> value;
        int digits;
    } cases[] = {
        {"0", 0, 0},
        {"18446744073709551615", UINT64_MAX, 0},
        {"0x001122000000", 0x001122000000, 12},
        {"0XffFFffFFffFFffFF", UINT64_MAX, 16},
        {"18446744073709551616", std::nullopt, 0},
        {"0x10000000000000000", std::nullopt, 0},
        {"-1", std::nullopt, 0},
        {"0x", std::nullopt, 0},
        {"12a", std::nullopt, 0},
        {"", std::nullopt, 0},
    };
    for (const auto& c : cases) {
        int digits = -1;
        EXPECT_EQ(Counter::ParseValue(c.text, &digits), c.value) << c.text;
        if (c.value) {
            EXPECT_EQ(digits, c.digits) << c.text;
        }
    }
}

class FileCounterTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("mac.counter");

    static Counter::State Range(uint64_t first, uint64_t last, int digits = 0) {
        return {first, last, first, {}, digits};
    }
};

TEST_F(FileCounterTest, GivesEveryValueOnceThenSaysItIsExhausted) {
    FileCounter counter(path);
    ASSERT_TRUE(counter.Create(Range(0x0011220FFFFE, 0x0011220FFFFF, 12)))
        << counter.ErrorText().toStdString();
    EXPECT_FALSE(counter.Create(Range(1, 2)));
    EXPECT_TRUE(counter.ErrorText().contains("exists already"));
    uint64_t value = 0;
    ASSERT_EQ(counter.Take(value), Counter::Outcome::done);
    EXPECT_EQ(value, 0x0011220FFFFEu);
    EXPECT_TRUE(counter.Void(value));
    ASSERT_EQ(counter.Take(value), Counter::Outcome::done);
    EXPECT_EQ(value, 0x0011220FFFFFu);
    EXPECT_EQ(counter.Take(value), Counter::Outcome::exhausted);
    EXPECT_EQ(counter.ErrorText(),
              "counter " + path + " has no values left: last was 0x0011220FFFFF");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              "first 0x0011220FFFFE\nlast 0x0011220FFFFF\nnext none\nvoid 0x0011220FFFFE\n");
    Counter::State state;
    ASSERT_TRUE(counter.Read(state));
    EXPECT_EQ(state.Left(), 0u);
    EXPECT_EQ(state.voided, std::vector<uint64_t>{0x0011220FFFFE});
}

TEST_F(FileCounterTest, AFileThatIsNoCounterIsRefusedAndLeftAlone) {
    for (const QByteArray& text :
         {QByteArray("first 1\nlast 2\n"), QByteArray("first 3\nlast 2\nnext 3\n"),
          QByteArray("first 1\nlast 2\nnext 5\n"), QByteArray("first 1\nlast 2\nnext 1"),
          QByteArray("first 1\nlast 2\nnext 1\nextra 1\n"), QByteArray()}) {
        EXPECT_FALSE(FileCounter::Decode(text)) << text.toStdString();
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("first 1\nlast 2\n");
    file.close();
    FileCounter counter(path);
    uint64_t value = 0;
    EXPECT_EQ(counter.Take(value), Counter::Outcome::failed);
    EXPECT_TRUE(counter.ErrorText().contains("is not a counter file"));
    FileCounter missing(dir.filePath("none/c"));
    EXPECT_FALSE(missing.Create(Range(1, 2)));
}

TEST_F(FileCounterTest, ProcessesTakingAtOnceNeverGetTheSameValue) {
    ASSERT_TRUE(FileCounter(path).Create(Range(1, 1000)));
    constexpr int kChildren = 4;
    constexpr int kTakes = 30;
    int pipes[kChildren][2];
    pid_t children[kChildren];
    for (int child = 0; child < kChildren; ++child) {
        ASSERT_EQ(::pipe(pipes[child]), 0);
        children[child] = ::fork();
        ASSERT_GE(children[child], 0);
        if (children[child] == 0) {
            FileCounter counter(path);
            uint64_t values[kTakes] = {};
            bool ok = true;
            for (uint64_t& value : values) {
                ok = ok && counter.Take(value) == Counter::Outcome::done;
            }
            ok = ok && ::write(pipes[child][1], values, sizeof values) == sizeof values;
            ::_exit(ok ? 0 : 1);
        }
        ::close(pipes[child][1]);
    }
    std::set<uint64_t> seen;
    for (int child = 0; child < kChildren; ++child) {
        uint64_t values[kTakes] = {};
        EXPECT_EQ(::read(pipes[child][0], values, sizeof values), sizeof values);
        ::close(pipes[child][0]);
        int status = -1;
        ASSERT_EQ(::waitpid(children[child], &status, 0), children[child]);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        seen.insert(std::begin(values), std::end(values));
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(kChildren * kTakes));
    Counter::State state;
    ASSERT_TRUE(FileCounter(path).Read(state));
    EXPECT_EQ(state.next, 1u + kChildren * kTakes);
}

}  // namespace
