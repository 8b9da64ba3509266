#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages tarnel needs: without arguments what building
# and running the programs needs; with --test also what the tests, the
# benchmarks and the package checks need. Does nothing when they are all
# installed already. As a normal user without sudo it says in one line which
# packages are missing and how to install them.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkgconf libusb-1.0-0-dev
    qt6-base-dev qt6-base-dev-tools fonts-dejavu-core
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libpq-dev
)
case "${1:-}" in
    "") ;;
    --test)
        packages+=(
            libgtest-dev libbenchmark-dev sigrok-cli dbus-daemon xxd
            qemu-system-x86
            dpkg-dev file lintian desktop-file-utils appstream git
            xvfb xauth at-spi2-core python3-pyatspi postgresql
        )
        ;;
    *)
        echo "usage: $0 [--test]" >&2
        exit 2
        ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "Missing packages: ${missing[*]}; install them as root with: apt-get install ${missing[*]}" >&2
        exit 1
    fi
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update
# Through env, since sudo drops the caller's environment.
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
