#include "FrameClockDouble.h"

FrameClock::TimePoint FrameClockDouble::Now()
{
    return now;
}

void FrameClockDouble::SleepUntil(TimePoint until)
{
    if (until <= now)
        return;
    now = until;
    ++iWaits;
}
