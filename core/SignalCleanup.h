// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Removes a temporary file when SIGINT, SIGTERM or SIGHUP (its terminal
// closed) arrives while it is in scope, then lets the signal take its course
// (the handler in place before, or the default: the process ends). A signal
// the process ignores stays ignored. One at a time; the GUI thread or the
// CLI's only thread uses it.
class SignalCleanup {
public:
    // Installs the handlers; from now on a signal removes `path`.
    explicit SignalCleanup(const std::string& path);
    // Puts the previous handlers back; `path` is no longer removed.
    ~SignalCleanup();
    SignalCleanup(const SignalCleanup&) = delete;
    SignalCleanup& operator=(const SignalCleanup&) = delete;
};
