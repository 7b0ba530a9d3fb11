#include "CurveSampling.h"

#include "clsMath.h"

#include <cmath>

SampleRange CurveRange(const GraphView& view)
{
    if (view.bModePolar)
        return {-MathConstants::kPi, MathConstants::kPi, view.dScaleX / PolarSensitivity(view)};
    return {view.dOriginX - view.dScaleX, view.dOriginX + view.dScaleX, UnitsPerPixelX(view)};
}

std::int64_t SampleCountEstimate(const SampleRange& range)
{
    const double dSteps = std::floor((range.dEnd - range.dStart) / range.dStep);
    // A range that is empty, or not a number, still takes its first sample.
    if (!(dSteps >= 0.0))
        return 1;
    if (dSteps >= static_cast<double>(kMaxCurveSamples - 1))
        return kMaxCurveSamples;
    return static_cast<std::int64_t>(dSteps) + 1;
}
