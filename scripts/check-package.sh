#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package from a built tree (default build/) and runs
# Debian's checkers on it: lintian --pedantic, desktop-file-validate on the
# desktop entry and appstreamcli on the AppStream metadata the package
# installs. Fails on any error or warning; lintian's informational and
# pedantic tags are shown but do not fail.
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
