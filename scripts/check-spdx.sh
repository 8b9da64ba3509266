#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a tracked source file does not name the project's licence in an
# SPDX-License-Identifier line among its first five lines (after a #! line or
# an XML declaration). Prints each such file on a line of its own, so the list
# can feed a command that adds the line. Source files are the C++ code, the
# CMake and shell scripts, and the texts under res/ and packaging/ that have a
# comment syntax; the licence, the README, the Debian changelog and copyright
# file (whose formats have no comments) and images are not.
set -euo pipefail
cd "$(dirname "$0")/.."

# The list is taken first, so that a failing git (no repository) fails the
# check instead of passing it with no files.
listed=$(mktemp)
trap 'rm -f "$listed"' EXIT
git ls-files -z -- '*.cpp' '*.h' '*CMakeLists.txt' '*.cmake' '*.sh' '.ci/*' \
    'res/*.1' 'res/*.desktop' 'res/*.qrc' 'res/*.xml' 'res/*.svg' 'packaging/*.lintian-overrides' \
    > "$listed"

missing=0
while IFS= read -r -d '' file; do
    if ! head -n 5 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later'; then
        echo "$file"
        missing=$((missing + 1))
    fi
done < "$listed"

if [ "$missing" -ne 0 ]; then
    echo "$missing source files lack the line SPDX-License-Identifier: GPL-3.0-or-later" >&2
    exit 1
fi
