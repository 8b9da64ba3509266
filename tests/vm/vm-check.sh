#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Reports one check of the VM test from the guest console vm-boot.sh kept:
# prints the check's commands, their output and the kernel's messages, and
# passes when the guest passed the check.
#
# Usage: vm-check.sh NAME WORK
# Exits 77 (skipped) when the VM test was skipped.
set -u
name=$1
work=$2
if [ -f "$work/skipped" ]; then
    echo "SKIPPED: $(cat "$work/skipped")"
    exit 77
fi
console=$work/console.log
if [ ! -f "$console" ]; then
    echo "There is no guest console in $work: the VM did not run."
    exit 1
fi
section=$(tr -d '\r' < "$console" | awk -v name="$name" '
    $0 == "=== CHECK " name || index($0, "=== CHECK " name ":") == 1 { on = 1 }
    on { print }
    on && index($0, "=== RESULT " name " ") == 1 { exit }')
if [ -z "$section" ]; then
    echo "The guest did not run the check $name (see the console in the test vm.boot)."
    exit 1
fi
echo "$section"
[ "$(echo "$section" | tail -n 1)" = "=== RESULT $name PASS" ]
