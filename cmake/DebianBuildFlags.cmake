# SPDX-License-Identifier: GPL-3.0-or-later
# Compiles and links with the hardening flags Debian builds its own packages
# with (dpkg-buildflags: fortify, stack protector, format checks, full RELRO
# with BIND_NOW; the compiler makes PIE by default), so that the binaries the
# .deb ships are hardened like Debian's. Optimisation and debug information stay
# with the build type. dpkg-buildflags maps the source folder to "." in file
# names the binaries keep; the build folder is mapped too (it is given last, so
# it wins where it lies inside the source folder), so that moc, rcc and other
# generated sources leave no trace of where the tree was built and two build
# folders give the same binaries. Left out of Debug builds, where fortify needs an
# optimiser, and of sanitizer builds, which replace the same checks.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(DPKG_BUILDFLAGS AND NOT TARNEL_SANITIZE AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                    ${DPKG_BUILDFLAGS} --get ${kind}
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
            COMMAND_ERROR_IS_FATAL ANY)
        separate_arguments(flags UNIX_COMMAND "${flags}")
        list(FILTER flags EXCLUDE REGEX "^-(O.*|g)$")
        set(tarnel_buildflags_${kind} ${flags})
    endforeach()
    add_compile_options(${tarnel_buildflags_CPPFLAGS} ${tarnel_buildflags_CXXFLAGS}
                        -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                        -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
    add_link_options(${tarnel_buildflags_LDFLAGS})
endif()
