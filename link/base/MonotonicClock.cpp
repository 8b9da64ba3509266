// SPDX-License-Identifier: GPL-3.0-or-later
#include "MonotonicClock.h"

#include <thread>

namespace {
class SteadyClock final : public MonotonicClock {
public:
    std::chrono::nanoseconds Now() const override {
        return std::chrono::steady_clock::now().time_since_epoch();
    }
};
}  // namespace

void MonotonicClock::Sleep(std::chrono::nanoseconds duration) const {
    std::this_thread::sleep_for(duration);
}

const MonotonicClock& MonotonicClock::System() {
    static const SteadyClock clock;
    return clock;
}
