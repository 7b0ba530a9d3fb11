#pragma once

#include "ServiceSlot.h"

#include <chrono>

// The clock that paces what the program shows over time: the time now, and
// a wait until a given time. Tests put a clock of their own in its place so
// that nothing waits.
class FrameClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~FrameClock() = default;
    virtual TimePoint Now() = 0;
    // Returns at once when the time has passed.
    virtual void SleepUntil(TimePoint until) = 0;
};

template <>
FrameClock& ServiceSlot<FrameClock>::Real();

inline FrameClock& CurrentFrameClock()
{
    return ServiceSlot<FrameClock>::Current();
}
