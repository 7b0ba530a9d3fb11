#include "CurveSampling.h"

#include "clsMath.h"

#include <cmath>

SampleRange CurveRange(const GraphView& view)
{
    if (view.bModePolar) {
        // A full turn in steps of dScaleX / sensitivity, but in no more than
        // kMaxPolarSamples: a narrow view at a high sensitivity would
        // otherwise ask for millions of samples that no pixel can show apart.
        const double dTurn = MathConstants::kPi - -MathConstants::kPi;
        const double dFinest = dTurn / static_cast<double>(kMaxPolarSamples - 2);
        const double dStep = view.dScaleX / PolarSensitivity(view);
        return {-MathConstants::kPi, MathConstants::kPi, dStep > 0 && dStep < dFinest ? dFinest : dStep};
    }
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
