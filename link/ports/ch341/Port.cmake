# SPDX-License-Identifier: GPL-3.0-or-later
# The CH341A is reached through libusb, which LibUsb loads when a board is
# first opened: only its header is needed here.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBUSB REQUIRED libusb-1.0)
target_include_directories(tarnel_link PUBLIC ${LIBUSB_INCLUDE_DIRS})
