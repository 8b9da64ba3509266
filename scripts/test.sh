#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building, testing and packaging need, checks that every source
# file names the licence, builds everything into build/ and runs all tests,
# makes the Debian package from that build, runs Debian's checkers on it and
# checks that a second build in build-repro/ gives the same package;
# then builds the link library and its tests once more under AddressSanitizer
# and UndefinedBehaviorSanitizer into build-sanitize/ and runs them there.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --test
scripts/check-spdx.sh

cmake -S . -B build -G Ninja -DBUILD_TESTING=ON
cmake --build build
ctest --test-dir build --output-on-failure -j 2
scripts/check-package.sh build

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTARNEL_SANITIZE=ON -DTARNEL_LINK_ONLY=ON
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure -j 2
