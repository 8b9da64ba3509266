// SPDX-License-Identifier: GPL-3.0-or-later
#include "SharedLibrary.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "LibUsb.h"

namespace {

TEST(SharedLibraryTest, AMissingLibraryOrFunctionIsRefusedWithTheLoadersMessage) {
    SharedLibrary missing("libtarnel-no-such-library.so.0");
    EXPECT_FALSE(missing.Loaded());
    EXPECT_NE(missing.Error().find("libtarnel-no-such-library.so.0"), std::string::npos)
        << missing.Error();
    int (*function)() = nullptr;
    EXPECT_FALSE(missing.Resolve("anything", function));

    SharedLibrary usb(LibUsb::kLibrary);
    ASSERT_TRUE(usb.Loaded()) << usb.Error();
    EXPECT_FALSE(usb.Resolve("libusb_no_such_function", function));
    EXPECT_EQ(function, nullptr);
    EXPECT_NE(usb.Error().find("libusb_no_such_function"), std::string::npos) << usb.Error();
}

TEST(SharedLibraryTest, LibusbIsLoadedOnceForTheProcessFromItsSoname) {
    std::string error;
    const LibUsb* first = LibUsb::Get(error);
    ASSERT_NE(first, nullptr) << error;
    EXPECT_EQ(LibUsb::Get(error), first);
    Dl_info where{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(first->bulk_transfer), &where), 0);
    EXPECT_NE(std::string(where.dli_fname).find(LibUsb::kLibrary), std::string::npos)
        << where.dli_fname;
}

}  // namespace
