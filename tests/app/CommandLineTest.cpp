// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLineTest, UnregisterSwitchesInAnySpellingWinOverEverythingElse) {
    for (const char* argument : {"-Unregister", "/unregister", "-UNREGSERVER", "/UnRegServer"}) {
        const CommandLine line = CommandLine::Parse({"--port", "sim", argument});
        EXPECT_TRUE(line.unregister) << argument;
        EXPECT_TRUE(line.error.isEmpty()) << argument;
    }
    EXPECT_FALSE(CommandLine::Parse({"/unregisterx"}).unregister);
}

TEST(CommandLineTest, AFileAndThePortAndTraceOptions) {
    const CommandLine line =
        CommandLine::Parse({"--port", "sim:/tmp/s.bin", "--trace=/tmp/t.vcd", "/home/tech/a.dat"});
    EXPECT_EQ(line.port, "sim:/tmp/s.bin");
    EXPECT_EQ(line.trace, "/tmp/t.vcd");
    EXPECT_EQ(line.file, "/home/tech/a.dat");  // a leading slash is a path, not a switch
    EXPECT_TRUE(line.error.isEmpty());
}

TEST(CommandLineTest, UnknownOptionsAndSecondFilesAreErrors) {
    EXPECT_FALSE(CommandLine::Parse({"--colour"}).error.isEmpty());
    EXPECT_FALSE(CommandLine::Parse({"a.dat", "b.dat"}).error.isEmpty());
    EXPECT_FALSE(CommandLine::Parse({"--port"}).error.isEmpty());
    EXPECT_EQ(CommandLine::Parse({"-lead.dat"}).error,
              "-lead.dat looks like options; to name a file that begins with \"-\", put -- "
              "before it: -- -lead.dat");
    EXPECT_EQ(CommandLine::Parse({"--", "-lead.dat"}).file, "-lead.dat");
    // A name that was not valid UTF-8 arrives with a replacement character.
    const QString lossy = QStringLiteral("t") + QChar(QChar::ReplacementCharacter) + ".vcd";
    for (const char* option : {"--trace", "--log", "--port"}) {
        EXPECT_TRUE(CommandLine::Parse({option, lossy}).error.contains("not valid UTF-8"))
            << option;
    }
}

TEST(CommandLineTest, HelpAndVersionOnlyPrintUnlessAnErrorOrUnregisterComesWithThem) {
    EXPECT_EQ(CommandLine::Parse({"-v"}).output, "tarnel 1.1\n");
    EXPECT_TRUE(CommandLine::Parse({"--help"}).output.contains("--port <NAME>"));
    EXPECT_TRUE(CommandLine::Parse({"--help", "--colour"}).output.isEmpty());
    EXPECT_TRUE(CommandLine::Parse({"--version", "/Unregserver"}).unregister);
}

}  // namespace
