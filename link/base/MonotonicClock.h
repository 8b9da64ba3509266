// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

// A clock that never goes back, for bounding waits on the device. Tests put
// a clock of their own in its place to make timeouts deterministic.
class MonotonicClock {
public:
    virtual ~MonotonicClock() = default;
    // Time since an arbitrary fixed origin.
    virtual std::chrono::nanoseconds Now() const = 0;
    // Gives the processor back for about `duration`. By default the thread
    // really sleeps; a test clock may move its own time instead.
    virtual void Sleep(std::chrono::nanoseconds duration) const;

    // The system's monotonic clock (std::chrono::steady_clock).
    static const MonotonicClock& System();
};
