#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package from a built tree (default build/) and runs
# Debian's checkers on it: lintian --pedantic, desktop-file-validate on the
# desktop entry and appstreamcli on the AppStream metadata the package
# installs. Fails on any error or warning; lintian's informational and
# pedantic tags are shown but do not fail. Then builds the packaged programs
# once more in a second folder (the build folder with -repro appended, same
# build type and compiler launcher) and fails unless the two packages are the
# same byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
# The package's folders take their modes from the umask of the install step:
# a strict umask of the user would give folders Debian does not accept.
umask 022

rm -f "$build"/tarnel_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/tarnel_*.deb)
deb="${debs[0]}"
echo "Checking $deb"

lintian --pedantic --display-info --fail-on error,warning "$deb"

contents="$(mktemp -d)"
trap 'rm -rf "$contents"' EXIT
dpkg-deb -x "$deb" "$contents"

desktop="$contents/usr/share/applications/org.tarnel.Tarnel.desktop"
report="$(desktop-file-validate "$desktop" 2>&1)" || true
if [ -n "$report" ]; then
    echo "$report" >&2
    exit 1
fi

appstreamcli validate --no-net "$contents/usr/share/metainfo/org.tarnel.Tarnel.metainfo.xml"

# The programs find their translations there.
for qm in tarnel_de.qm; do
    if [ ! -s "$contents/usr/share/tarnel/translations/$qm" ]; then
        echo "$deb lacks usr/share/tarnel/translations/$qm" >&2
        exit 1
    fi
done

# A second build of the same tree in another folder must give the same package.
repro="$build-repro"
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
cmake -S . -B "$repro" -G Ninja -DBUILD_TESTING=OFF \
    -DCMAKE_BUILD_TYPE="$(cache_value CMAKE_BUILD_TYPE)" \
    -DCMAKE_CXX_COMPILER_LAUNCHER="$(cache_value CMAKE_CXX_COMPILER_LAUNCHER)" >/dev/null
cmake --build "$repro" >/dev/null
rm -f "$repro"/tarnel_*.deb
(cd "$repro" && cpack -G DEB >/dev/null)
again=("$repro"/tarnel_*.deb)
if ! cmp "$deb" "${again[0]}"; then
    echo "$deb and ${again[0]} differ: the package is not reproducible" >&2
    diff <(dpkg-deb -c "$deb") <(dpkg-deb -c "${again[0]}") >&2 || true
    mkdir "$contents/a" "$contents/b"
    dpkg-deb -R "$deb" "$contents/a"
    dpkg-deb -R "${again[0]}" "$contents/b"
    diff -rq "$contents/a" "$contents/b" >&2 || true
    exit 1
fi
echo "$deb is reproducible: ${again[0]} is the same byte for byte"
