#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the register grid of a running tarnel window the way a screen
reader does, through AT-SPI: a table of 13 rows by 10 columns whose cells are
named "Register N" and hold the register's value as text, with the row and
column labels as headers. Runs under an X server and a session bus of its
own (xvfb-run, dbus-run-session); the argument is the tarnel program."""

import os
import subprocess
import sys
import tempfile
import time

import pyatspi

TIMEOUT_S = 20


def find_application(name):
    deadline = time.monotonic() + TIMEOUT_S
    while time.monotonic() < deadline:
        for application in pyatspi.Registry.getDesktop(0):
            if application is not None and application.name == name:
                table = pyatspi.findDescendant(
                    application, lambda a: a.getRole() == pyatspi.ROLE_TABLE)
                if table is not None:
                    return table
        time.sleep(0.1)
    return None


def main():
    failures = []

    def expect(what, got, wanted):
        if got != wanted:
            failures.append(f"{what}: got {got!r}, wanted {wanted!r}")

    pattern = bytes((i * 3 + 7) & 0xFF for i in range(128))
    with tempfile.TemporaryDirectory() as home:
        image = os.path.join(home, "pattern.dat")
        with open(image, "wb") as file:
            file.write(pattern)
        environment = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home,
                           QT_QPA_PLATFORM="xcb",
                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        for name in ("TARNEL_PORT", "TARNEL_LOG", "TARNEL_SIM_FAULT"):
            environment.pop(name, None)
        window = subprocess.Popen([sys.argv[1], image], env=environment)
        try:
            table = find_application("tarnel")
            if table is None:
                print("no accessible table of an application named tarnel appeared")
                return 1
            grid = table.queryTable()
            expect("rows", grid.nRows, 13)
            expect("columns", grid.nColumns, 10)
            for row, column in ((0, 0), (3, 7), (12, 7)):
                n = row * 10 + column
                cell = grid.getAccessibleAt(row, column)
                expect(f"name of ({row}, {column})", cell.name, f"Register {n}")
                expect(f"text of ({row}, {column})",
                       cell.queryText().getText(0, -1), f"{pattern[n]:02X}")
                expect(f"row header of {row}", grid.getRowHeader(row).name, str(10 * row))
                expect(f"column header of {column}", grid.getColumnHeader(column).name,
                       str(column))
            expect("cell (12, 8)", grid.getAccessibleAt(12, 8), None)
        finally:
            window.terminate()
            window.wait(TIMEOUT_S)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
