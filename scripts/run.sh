#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building and running the GUI needs, builds only the tarnel
# program into build/ (the tests are the test command's business) and starts it
# against a simulated switch whose EEPROM is kept under the user's data folder,
# so the program can be tried without hardware. Arguments are passed on to
# tarnel.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DBUILD_TESTING=OFF
cmake --build build --target tarnel

data="${XDG_DATA_HOME:-$HOME/.local/share}/tarnel"
mkdir -p "$data"
exec build/tarnel --port "sim:$data/simulated-switch.bin" "$@"
