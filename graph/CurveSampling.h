#pragma once

#include "GraphView.h"

#include <cstdint>

// The most samples a polar curve takes, whatever its sensitivity and view.
constexpr std::int64_t kMaxPolarSamples = 200'000;

// The values of the loop variable at which a curve is sampled: x across the
// visible range one pixel column apart, or the angle over a full turn in
// steps of dScaleX / iPolarSensitivity radians in polar mode (wider where
// that would take more than kMaxPolarSamples).
struct SampleRange {
    double dStart;
    double dEnd;
    double dStep;
};

SampleRange CurveRange(const GraphView& view);

// More samples than any view asks for (a rectangular curve takes one a pixel
// column, a polar one at most kMaxPolarSamples); a curve never takes more,
// so a redraw always ends.
constexpr std::int64_t kMaxCurveSamples = 4'000'000;

// About how many samples ForEachSample takes over the range, at least 1 and
// at most kMaxCurveSamples, found without walking it.
std::int64_t SampleCountEstimate(const SampleRange& range);

// Calls visit(value) for each sample, accumulating the step by repeated
// addition: while the value is at most the end (at least the end for a
// negative step). Stops early when adding the step no longer changes the
// value, or after kMaxCurveSamples samples. Returns the number of samples.
template <typename Visit>
std::int64_t ForEachSample(const SampleRange& range, Visit&& visit)
{
    std::int64_t iSamples = 0;
    double dValue = range.dStart;
    const bool bForward = !(range.dStep < 0.0);
    while ((bForward ? dValue <= range.dEnd : dValue >= range.dEnd) && iSamples < kMaxCurveSamples) {
        visit(dValue);
        ++iSamples;
        const double dNext = dValue + range.dStep;
        if (dNext == dValue)
            break;
        dValue = dNext;
    }
    return iSamples;
}
