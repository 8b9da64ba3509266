// SPDX-License-Identifier: GPL-3.0-or-later
#include "SignalCleanup.h"

#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstring>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kCount = sizeof kSignals / sizeof kSignals[0];

// Shared with the handler, which may only call async-signal-safe functions:
// the path is copied into a fixed buffer before the handlers go in.
char g_path[PATH_MAX];
volatile sig_atomic_t g_armed = 0;
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

void OnSignal(int signal) {
    if (g_armed != 0) {
        ::unlink(g_path);
        g_armed = 0;
    }
    // The signal is blocked while this runs; raised again, it reaches the
    // previous handler as soon as this one returns.
    ::sigaction(signal, &g_previous[IndexOf(signal)], nullptr);
    ::raise(signal);
}

}  // namespace

SignalCleanup::SignalCleanup(const std::string& path) {
    if (path.size() >= sizeof g_path) {
        return;  // no such file can have been created
    }
    std::memcpy(g_path, path.c_str(), path.size() + 1);
    g_armed = 1;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    action.sa_flags = SA_RESTART;  // a previous handler that returns must not break the save
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < kCount; ++i) {
        g_installed[i] = false;
        if (::sigaction(kSignals[i], nullptr, &g_previous[i]) != 0 ||
            g_previous[i].sa_handler == SIG_IGN) {
            continue;
        }
        g_installed[i] = ::sigaction(kSignals[i], &action, nullptr) == 0;
    }
}

SignalCleanup::~SignalCleanup() {
    g_armed = 0;
    for (int i = 0; i < kCount; ++i) {
        if (g_installed[i]) {
            ::sigaction(kSignals[i], &g_previous[i], nullptr);
            g_installed[i] = false;
        }
    }
}
