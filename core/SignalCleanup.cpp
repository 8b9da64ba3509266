// SPDX-License-Identifier: GPL-3.0-or-later
#include "SignalCleanup.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <climits>
#include <cstring>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kCount = sizeof kSignals / sizeof kSignals[0];

// Shared with the handler, which may only call async-signal-safe functions:
// the name is copied into a fixed buffer before the file is armed.
char g_name[NAME_MAX + 1];
volatile sig_atomic_t g_folder = -1;
// 0: no file yet (a signal waits in g_pending); 1: the file is armed.
volatile sig_atomic_t g_armed = 0;
volatile sig_atomic_t g_pending = 0;
struct sigaction g_previous[kCount];
bool g_installed[kCount];

int IndexOf(int signal) {
    for (int i = 0; i < kCount; ++i) {
        if (kSignals[i] == signal) {
            return i;
        }
    }
    return 0;
}

// Hands `signal` on to the handler in place before (or the default).
void PassOn(int signal) {
    ::sigaction(signal, &g_previous[IndexOf(signal)], nullptr);
    ::raise(signal);
}

void OnSignal(int signal) {
    if (g_armed == 0) {
        // Another thread got it while the file is being made: it is handled
        // as soon as the file is armed, or when the cleanup ends.
        g_pending = signal;
        return;
    }
    ::unlinkat(g_folder, g_name, 0);
    g_armed = 0;
    // The signal is blocked while this runs; raised again, it reaches the
    // previous handler as soon as this one returns.
    PassOn(signal);
}

sigset_t CleanupSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kSignals) {
        sigaddset(&set, signal);
    }
    return set;
}

}  // namespace

SignalCleanup::SignalCleanup() {
    const sigset_t signals = CleanupSignals();
    ::pthread_sigmask(SIG_BLOCK, &signals, &m_previousMask);
    g_armed = 0;
    g_pending = 0;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    action.sa_flags = SA_RESTART;  // a previous handler that returns must not break the save
    action.sa_mask = signals;
    for (int i = 0; i < kCount; ++i) {
        g_installed[i] = false;
        if (::sigaction(kSignals[i], nullptr, &g_previous[i]) != 0 ||
            g_previous[i].sa_handler == SIG_IGN) {
            continue;
        }
        g_installed[i] = ::sigaction(kSignals[i], &action, nullptr) == 0;
    }
}

void SignalCleanup::Arm(int folder, const std::string& name) {
    if (name.size() < sizeof g_name) {
        std::memcpy(g_name, name.c_str(), name.size() + 1);
        g_folder = folder;
        g_armed = 1;
    }
    if (const int pending = g_pending; pending != 0 && g_armed != 0) {
        g_pending = 0;
        OnSignal(pending);
    }
    ::pthread_sigmask(SIG_SETMASK, &m_previousMask, nullptr);
}

SignalCleanup::~SignalCleanup() {
    g_armed = 0;
    for (int i = 0; i < kCount; ++i) {
        if (g_installed[i]) {
            ::sigaction(kSignals[i], &g_previous[i], nullptr);
            g_installed[i] = false;
        }
    }
    ::pthread_sigmask(SIG_SETMASK, &m_previousMask, nullptr);
    if (const int pending = g_pending; pending != 0) {
        g_pending = 0;
        ::raise(pending);
    }
}
