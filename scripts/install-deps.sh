#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running tarnel need.
# Does nothing when they are all installed already.
set -euo pipefail

packages=(
    g++ cmake ninja-build
    libgtest-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools fonts-dejavu-core
    sigrok-cli dbus-daemon xxd
    qemu-system-x86
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
