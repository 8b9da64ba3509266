#include "MonotonicClock.h"

namespace {
class SteadyClock final : public MonotonicClock {
public:
    std::chrono::nanoseconds Now() const override {
        return std::chrono::steady_clock::now().time_since_epoch();
    }
};
}  // namespace

const MonotonicClock& MonotonicClock::System() {
    static const SteadyClock clock;
    return clock;
}
