# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts on a system, and the Debian package CPack makes of
# it (`cd build && cpack`): both programs, the desktop entry, AppStream
# metadata, icons, man pages, the copyright file and the changelog. Desktop
# entry, metadata and icons share the id the running window has on D-Bus.
include(GNUInstallDirs)

set(TARNEL_APP_ID org.tarnel.Tarnel)
set(TARNEL_MAINTAINER "tarnel developers <tarnel@tarnel.org>"
    CACHE STRING "Maintainer field of the Debian package")

install(TARGETS tarnel tarnel-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (as CPack makes it) also drops the sections Debian's own
# packages leave out of their binaries.
install(CODE "set(tarnel_strip \"${CMAKE_STRIP}\")")
install(CODE [[
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(program tarnel tarnel-cli)
            execute_process(
                COMMAND ${tarnel_strip} --remove-section=.comment --remove-section=.note
                        $ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/${program}
                COMMAND_ERROR_IS_FATAL ANY)
        endforeach()
    endif()
]])

install(FILES res/${TARNEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES res/${TARNEL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_BINARY_DIR}/app/${TARNEL_APP_ID}.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/dbus-1/interfaces)
set(tarnel_icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
foreach(icon 16:res/tarnel-16.png 32:res/tarnel.png 48:res/icons/tarnel-48.png
             64:res/icons/tarnel-64.png 128:res/icons/tarnel-128.png)
    string(REPLACE ":" ";" icon ${icon})
    list(GET icon 0 size)
    list(GET icon 1 file)
    install(FILES ${file} DESTINATION ${tarnel_icon_dir}/${size}x${size}/apps
            RENAME ${TARNEL_APP_ID}.png)
endforeach()
install(FILES res/icons/${TARNEL_APP_ID}.svg DESTINATION ${tarnel_icon_dir}/scalable/apps)

# Man pages and the changelog are installed gzip-compressed, without name or
# time stamp in the header, so that equal sources give equal packages.
find_program(GZIP gzip REQUIRED)
set(tarnel_compressed "")
foreach(source res/tarnel.1 res/tarnel-cli.1 packaging/changelog)
    get_filename_component(name ${source} NAME)
    set(copy ${PROJECT_BINARY_DIR}/compressed/${name})
    add_custom_command(
        OUTPUT ${copy}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/${source} ${copy}
        COMMAND ${GZIP} -9nf ${copy}
        DEPENDS ${PROJECT_SOURCE_DIR}/${source}
        VERBATIM)
    list(APPEND tarnel_compressed ${copy}.gz)
endforeach()
add_custom_target(tarnel_compressed_docs ALL DEPENDS ${tarnel_compressed})
install(FILES ${PROJECT_BINARY_DIR}/compressed/tarnel.1.gz
              ${PROJECT_BINARY_DIR}/compressed/tarnel-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/compressed/changelog.gz packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# Before 73-seat-late.rules, which turns the uaccess tag into the seat user's
# access.
install(FILES res/60-tarnel-ch341.rules DESTINATION lib/udev/rules.d)
install(FILES packaging/tarnel.lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tarnel)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION}.0)
set(CPACK_PACKAGE_CONTACT ${TARNEL_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Reads, edits, writes back and verifies a network switch's configuration EEPROM")
set(CPACK_PACKAGE_DESCRIPTION [[
tarnel works on the 128-byte configuration EEPROM of a network switch, which
sits on an I2C bus that the PC reaches through a passive adapter on the
parallel port or through an I2C adapter the kernel drives (USB bridges, other
I2C controllers; never the computer's own SMBus). It is made for service and
production technicians: the window uploads the switch's registers into an
image, edits them in a grid, downloads the image back and verifies the switch
against it; images are kept in 128-byte files. A simulated switch lets anyone
try it without hardware.

tarnel-cli does the same device commands from scripts on a production line,
and a running window takes commands over the session D-Bus.

To reach the ports without root, be a member of group lp for /dev/parport*;
for /dev/i2c-* the recommended i2c-tools package installs the udev rule and
the group i2c to be a member of. CH341A programmer boards are driven through
libusb with no kernel driver; the package's udev rule gives them to the user
at the seat and to group plugdev.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libpq is loaded only when a database is used (core/LibPq), libusb only when
# a CH341A is opened (LibUsb), so dpkg-shlibdeps cannot see them: the
# versions are what their symbols files give for the newest function called,
# PQconnectdbParams and libusb_get_port_numbers/libusb_strerror.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libpq5 (>= 9.0~), libusb-1.0-0 (>= 2:1.0.16)")
# Qt's own texts (standard buttons, file dialogs) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "i2c-tools, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "sigrok-cli")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

# The package's time stamps (archive members and file times) are those of the
# newest changelog entry, not the time of the build, unless SOURCE_DATE_EPOCH
# is already set: CPack takes them from that variable, which its project
# config file sets when cpack runs.
find_program(DPKG_PARSECHANGELOG dpkg-parsechangelog REQUIRED)
execute_process(
    COMMAND ${DPKG_PARSECHANGELOG} -l ${PROJECT_SOURCE_DIR}/packaging/changelog -STimestamp
    OUTPUT_VARIABLE TARNEL_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/packaging/changelog)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackSourceDate.cmake)
file(CONFIGURE OUTPUT ${CPACK_PROJECT_CONFIG_FILE} CONTENT [[
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    set(ENV{SOURCE_DATE_EPOCH} @TARNEL_SOURCE_DATE_EPOCH@)
endif()
]] @ONLY)
include(CPack)
