#pragma once

#include "FrameClock.h"

// A clock whose time moves only when asked: a wait moves it to the end of
// the wait at once, and a test may move it by hand. Counts the waits that
// had to move it. Takes the real clock's place while it exists.
class FrameClockDouble : public ServiceStandIn<FrameClock> {
public:
    TimePoint Now() override;
    void SleepUntil(TimePoint until) override;

    TimePoint now{};
    int iWaits = 0;
};
