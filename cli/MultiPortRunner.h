// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Runs one tarnel-cli command on several ports at once, as a station with
// several adapters programs several switches: one thread per port, each with
// its own output buffers, so a port that fails (or throws) neither stops nor
// garbles the others.
class MultiPortRunner {
public:
    // One port's run: the command on `port`, its results on `out`, its
    // messages on `err`; returns its exit status. Called on that port's own
    // thread, so it must share nothing writable with the other ports' runs.
    using PortRun =
        std::function<int(const std::string& port, std::ostream& out, std::ostream& err)>;

    // The ports to use: every --port value (`options`) when any is given,
    // else the comma-separated names in TARNEL_PORT, else the default port.
    // On an empty name, or a port named twice (except the in-memory
    // simulators `sim` and `i2c:sim`, each of which is a switch of its own),
    // returns no ports and sets `problem` to the usage message.
    static std::vector<std::string> ChoosePortNames(const QStringList& options, QString& problem);

    // Runs `run` on every port at once and waits for all. Then prints, port by
    // port in the given order, each port's messages on `err` and its results
    // on `out`, every line prefixed with "<port>: "; with `json`, each port's
    // result is one JSON object and `out` gets one line holding the array of
    // them (a port that printed none gets {port, result "failed", exit,
    // message}). Returns the worst exit status.
    static int Run(const std::vector<std::string>& ports, const PortRun& run, std::ostream& out,
                   std::ostream& err, bool json = false);

    // The worse of two exit statuses: usage error (2), then file failure
    // (4), device failure (3), differences (1), success (0).
    static int Worse(int a, int b);
};
