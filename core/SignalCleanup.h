// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <csignal>
#include <string>

// Removes a temporary file when SIGINT, SIGTERM or SIGHUP (its terminal
// closed) arrives while it is in scope, then lets the signal take its course
// (the handler in place before, or the default: the process ends). A signal
// the process ignores stays ignored. The signals are blocked from the start
// until the file is armed, so that none can end the process between creating
// the file and arming its removal; one that another thread takes meanwhile
// waits for the arming too. One at a time.
class SignalCleanup {
public:
    // Blocks the signals in this thread and installs the handlers; nothing
    // is removed yet.
    SignalCleanup();
    // From now on a signal removes the file `name` in the open folder
    // `folder`; then unblocks the signals, so that one that came meanwhile
    // removes it at once.
    void Arm(int folder, const std::string& name);
    // Puts the previous handlers and signal mask back; the file is no longer
    // removed. A signal that came before the file was armed takes its course.
    ~SignalCleanup();
    SignalCleanup(const SignalCleanup&) = delete;
    SignalCleanup& operator=(const SignalCleanup&) = delete;

private:
    sigset_t m_previousMask;
};
