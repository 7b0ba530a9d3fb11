#include "CurveSampling.h"

#include "clsMath.h"

SampleRange CurveRange(const GraphView& view)
{
    if (view.bModePolar)
        return {-MathConstants::kPi, MathConstants::kPi, view.dScaleX / PolarSensitivity(view)};
    return {view.dOriginX - view.dScaleX, view.dOriginX + view.dScaleX, UnitsPerPixelX(view)};
}
