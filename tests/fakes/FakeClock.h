#pragma once

#include <chrono>

#include "MonotonicClock.h"

// A clock that moves only when told: by `step` on every reading, and by hand.
class FakeClock : public MonotonicClock {
public:
    explicit FakeClock(std::chrono::nanoseconds step = std::chrono::nanoseconds(0))
        : m_step(step) {}

    std::chrono::nanoseconds Now() const override {
        m_now += m_step;
        ++m_readings;
        return m_now;
    }
    void Advance(std::chrono::nanoseconds by) { m_now += by; }
    int Readings() const { return m_readings; }

private:
    mutable std::chrono::nanoseconds m_now{0};
    mutable int m_readings = 0;
    std::chrono::nanoseconds m_step;
};
