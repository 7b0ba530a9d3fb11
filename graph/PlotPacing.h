#pragma once

#include "FrameClock.h"

#include <cstdint>
#include <functional>

// Paces the refreshes of a progressive plot, so that the curves are seen
// growing however many points they have, and the growth never takes much
// more than a second beyond the drawing itself. The points are shared out
// among at most kFrames refreshes, and a refresh waits until a frame's time
// has passed since the one before.
class PlotPacer {
public:
    static constexpr int kFrames = 60;
    static constexpr std::chrono::microseconds kFrameTime{1'000'000 / kFrames};

    // iExpectedPoints: about how many points the plot will draw; refresh
    // shows the picture.
    PlotPacer(std::int64_t iExpectedPoints, std::function<void()> refresh);

    // Runs before each point is drawn; refreshes when a frame's share of
    // points has been drawn since the last refresh.
    void BeforePoint();

private:
    std::int64_t m_iPointsPerFrame;
    std::int64_t m_iPoints = 0;
    std::function<void()> m_refresh;
    FrameClock::TimePoint m_lastRefresh;
};
