#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the register grid of a running tarnel window the way a screen
reader does, through AT-SPI: a table of 13 rows by 10 columns whose cells are
named "Register N" and hold the register's value as text, with the row and
column labels as headers. Runs side by side with other runs: it starts an X
server of its own on a display that the server chooses, and a session bus
(dbus-run-session) whose accessibility bus lives in a runtime folder of its
own. The arguments are the X server (Xvfb), dbus-run-session and the tarnel
program."""

import os
import subprocess
import sys
import tempfile
import time

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


# The server does not reset when its last client leaves: the accessibility
# bus's launcher is a client only for a moment, and a window that connects
# while the server resets would be refused.
def start_x_server(program):
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        [program, "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
         "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as display:
        number = display.readline().strip()
    if not number:
        server.kill()
        sys.exit("the X server did not start")
    os.environ["DISPLAY"] = ":" + number
    return server


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--inside-session":
        return check_grid(sys.argv[2])
    x_server, run_session, program = sys.argv[1:4]
    with tempfile.TemporaryDirectory() as home:
        os.chmod(home, 0o700)
        for name in ("HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"):
            os.environ[name] = home
        server = start_x_server(x_server)
        try:
            return subprocess.run(
                [run_session, "--", sys.executable, os.path.abspath(__file__),
                 "--inside-session", program], timeout=3 * TIMEOUT_S).returncode
        finally:
            server.terminate()
            server.wait(TIMEOUT_S)


def check_grid(program):
    global pyatspi
    import pyatspi  # only once DISPLAY names this run's X server

    failures = []

    def expect(what, got, wanted):
        if got != wanted:
            failures.append(f"{what}: got {got!r}, wanted {wanted!r}")

    pattern = bytes((i * 3 + 7) & 0xFF for i in range(128))
    with tempfile.TemporaryDirectory() as home:
        image = os.path.join(home, "pattern.dat")
        with open(image, "wb") as file:
            file.write(pattern)
        environment = dict(os.environ, QT_QPA_PLATFORM="xcb",
                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        for name in ("TARNEL_PORT", "TARNEL_LOG", "TARNEL_SIM_FAULT"):
            environment.pop(name, None)
        window = subprocess.Popen([program, image], env=environment)
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
