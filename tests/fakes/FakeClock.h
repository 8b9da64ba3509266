// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <vector>

#include "MonotonicClock.h"

// A clock that moves only when told: by `step` on every reading, by the
// length of every pause taken on it (so no test really sleeps), and by hand.
// With `jumpEvery` set, every jumpEvery-th reading moves it by `jump`
// instead, as when a loaded machine deschedules the process.
class FakeClock : public MonotonicClock {
public:
    explicit FakeClock(std::chrono::nanoseconds step = std::chrono::nanoseconds(0),
                       int jumpEvery = 0, std::chrono::nanoseconds jump = {})
        : m_step(step), m_jumpEvery(jumpEvery), m_jump(jump) {}

    std::chrono::nanoseconds Now() const override {
        ++m_readings;
        m_now += m_jumpEvery > 0 && m_readings % m_jumpEvery == 0 ? m_jump : m_step;
        m_log.push_back(m_now);
        return m_now;
    }
    void Sleep(std::chrono::nanoseconds duration) const override {
        m_now += duration;
        ++m_sleeps;
    }
    void Advance(std::chrono::nanoseconds by) { m_now += by; }
    int Readings() const { return m_readings; }
    int Sleeps() const { return m_sleeps; }
    // Of the last `count` readings, how many came `bound` or more after the
    // first of them (the polls begun past a deadline, when those readings
    // are the starts of one transaction's polls).
    int LateReadings(int count, std::chrono::nanoseconds bound) const {
        const auto first = m_log.end() - count;
        int late = 0;
        for (auto it = first; it != m_log.end(); ++it) {
            late += *it - *first >= bound ? 1 : 0;
        }
        return late;
    }

private:
    mutable std::chrono::nanoseconds m_now{0};
    mutable int m_readings = 0;
    mutable int m_sleeps = 0;
    mutable std::vector<std::chrono::nanoseconds> m_log;
    std::chrono::nanoseconds m_step;
    int m_jumpEvery;
    std::chrono::nanoseconds m_jump;
};
