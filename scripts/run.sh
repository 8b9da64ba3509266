#!/usr/bin/env bash
# Installs what the build needs, builds into build/ and starts the GUI against
# a simulated switch whose EEPROM is kept under the user's data folder, so the
# program can be tried without hardware. Arguments are passed on to tarnel.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build

data="${XDG_DATA_HOME:-$HOME/.local/share}/tarnel"
mkdir -p "$data"
exec build/tarnel --port "sim:$data/simulated-switch.bin" "$@"
