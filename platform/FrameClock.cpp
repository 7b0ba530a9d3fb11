#include "FrameClock.h"

#include <thread>

namespace {

class SteadyClock : public FrameClock {
public:
    TimePoint Now() override { return std::chrono::steady_clock::now(); }
    void SleepUntil(TimePoint until) override { std::this_thread::sleep_until(until); }
};

} // namespace

template <>
FrameClock& ServiceSlot<FrameClock>::Real()
{
    static SteadyClock clock;
    return clock;
}
