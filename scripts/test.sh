#!/usr/bin/env bash
# Installs what the build needs, builds everything into build/ and runs all
# tests; then builds the link library and its tests once more under
# AddressSanitizer and UndefinedBehaviorSanitizer into build-sanitize/ and runs
# them there.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake -S . -B build -G Ninja
cmake --build build
ctest --test-dir build --output-on-failure -j 2

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTARNEL_SANITIZE=ON -DTARNEL_LINK_ONLY=ON
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure -j 2
