#include "PlotPacing.h"

#include <algorithm>
#include <utility>

PlotPacer::PlotPacer(std::int64_t iExpectedPoints, std::function<void()> refresh)
    : m_iPointsPerFrame(std::max<std::int64_t>(1, (iExpectedPoints + kFrames - 1) / kFrames))
    , m_refresh(std::move(refresh))
    // The first refresh, before the first point, comes at once.
    , m_lastRefresh(CurrentFrameClock().Now() - kFrameTime)
{
}

void PlotPacer::BeforePoint()
{
    if (m_iPoints++ % m_iPointsPerFrame != 0)
        return;
    FrameClock& clock = CurrentFrameClock();
    clock.SleepUntil(m_lastRefresh + kFrameTime);
    // The next frame's time counts from the start of this refresh.
    m_lastRefresh = clock.Now();
    m_refresh();
}
