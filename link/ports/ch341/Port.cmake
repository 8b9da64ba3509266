# SPDX-License-Identifier: GPL-3.0-or-later
# The CH341A is reached through libusb.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBUSB REQUIRED IMPORTED_TARGET libusb-1.0)
target_link_libraries(tarnel_link PRIVATE PkgConfig::LIBUSB)
