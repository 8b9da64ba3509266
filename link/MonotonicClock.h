#pragma once

#include <chrono>

// A clock that never goes back, for bounding waits on the device. Tests put
// a clock of their own in its place to make timeouts deterministic.
class MonotonicClock {
public:
    virtual ~MonotonicClock() = default;
    // Time since an arbitrary fixed origin.
    virtual std::chrono::nanoseconds Now() const = 0;

    // The system's monotonic clock (std::chrono::steady_clock).
    static const MonotonicClock& System();
};
