// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortKinds.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "PortNameError.h"

namespace {

std::string KindOf(const std::string& name) {
    const PortKind* kind = PortKinds::Find(name);
    return kind == nullptr ? "none" : kind->prefix;
}

TEST(PortKindsTest, ANameBelongsToTheKindWithTheLongestPrefix) {
    for (const auto& [name, prefix] : {
             std::pair{"/dev/parport0", "/dev/"},
             std::pair{"/dev/", "/dev/"},
             std::pair{"io:0x378", "io:"},
             std::pair{"sim", "sim"},
             std::pair{"sim:switch.bin", "sim"},
             std::pair{"sim:", "sim"},
             std::pair{"i2c:sim", "i2c:sim"},
             std::pair{"i2c:sim:switch.bin", "i2c:sim"},
             // An adapter whose kernel name begins with "sim" is no simulator.
             std::pair{"i2c:simtec", "i2c:"},
             std::pair{"i2c:/dev/i2c-1", "i2c:"},
             std::pair{"simple", "none"},
             std::pair{"lpt1", "none"},
             std::pair{"", "none"},
         }) {
        EXPECT_EQ(KindOf(name), prefix) << name;
    }
}

TEST(PortKindsTest, EveryKindIsCompleteAndItsPrefixUnique) {
    std::set<std::string> prefixes;
    for (const PortKind* kind : PortKinds::All()) {
        EXPECT_TRUE(prefixes.insert(kind->prefix).second) << kind->prefix;
        EXPECT_FALSE(kind->forms.empty()) << kind->prefix;
        EXPECT_FALSE(kind->help.Text().empty()) << kind->prefix;
        EXPECT_NE(kind->check, nullptr) << kind->prefix;
        EXPECT_NE(kind->open, nullptr) << kind->prefix;
        for (const std::string& form : kind->forms) {
            EXPECT_EQ(PortKinds::Find(form), kind) << form << " is written as " << kind->prefix;
        }
        // Simulators stand in for hardware: nothing to discover.
        EXPECT_TRUE(!kind->simulated || kind->discover == nullptr) << kind->prefix;
    }
}

TEST(PortKindsTest, TheUnknownPortMessageListsEveryFormWithItsHelp) {
    try {
        PortKinds::ThrowUnknown("lpt1");
        FAIL();
    } catch (const PortNameError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("Unknown port \"lpt1\". Use /dev/parportN (the kernel's ppdev", 0),
                  0u)
            << message;
        for (const PortKind* kind : PortKinds::All()) {
            EXPECT_NE(message.find(kind->FormsPhrase() + " (" + kind->help.Text() + ")"),
                      std::string::npos)
                << message;
        }
        EXPECT_EQ(message.back(), '.');
    }
    EXPECT_EQ(PortKinds::FormList().rfind("/dev/parportN, io:0x378, sim, sim:FILE, ", 0), 0u);
}

// The man pages and the README are written by hand; each must name every
// form the table knows, so that a new kind is documented where users look.
TEST(PortKindsTest, TheManPagesAndTheReadmeNameEveryForm) {
    for (const char* file : {"res/tarnel.1", "res/tarnel-cli.1", "README.md"}) {
        std::ifstream in(std::string(TARNEL_SOURCE_DIR) + "/" + file);
        ASSERT_TRUE(in) << file;
        std::stringstream text;
        text << in.rdbuf();
        // Man pages set a form in italics (\fIform\fR), the README in backticks.
        const std::string plain =
            std::regex_replace(text.str(), std::regex(R"(\\f[IRB]|\\(?=-))"), "");
        for (const PortKind* kind : PortKinds::All()) {
            for (const std::string& form : kind->forms) {
                EXPECT_NE(plain.find(form), std::string::npos) << form << " missing in " << file;
            }
        }
    }
}

}  // namespace
