#include "DeviceLink.h"

bool DeviceLink::PollUntilAcknowledged(const MonotonicClock& clock,
                                       const std::function<bool()>& poll) {
    auto pollStarted = clock.Now();
    const auto deadline = pollStarted + kAckPollBound;
    while (!poll()) {
        if (pollStarted >= deadline) {
            return false;
        }
        clock.Sleep(kPollPause);
        pollStarted = clock.Now();
    }
    return true;
}
