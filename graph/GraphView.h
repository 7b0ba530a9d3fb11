#pragma once

#include "Settings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

// The graph window's view state: a working copy of the view settings plus
// the geometry of the plot square on the picture.
struct GraphView {
    bool bModePolar = false;
    std::int16_t iHalfSize = 200;          // pixels from the centre to each end of the axes
    std::int16_t iCenterX = 0;             // picture centre, in pixels
    std::int16_t iCenterY = 0;
    // The visible ranges: half-width and half-height, and the world point at
    // the picture centre.
    double dScaleX = kDefaultViewSettings.dScaleX;
    double dScaleY = kDefaultViewSettings.dScaleY;
    double dOriginX = kDefaultViewSettings.dOriginX;
    double dOriginY = kDefaultViewSettings.dOriginY;
    std::int16_t iDivisionsX = kDefaultViewSettings.iDivisionsX;
    std::int16_t iDivisionsY = kDefaultViewSettings.iDivisionsY;
    bool bGrids = kDefaultViewSettings.bGrids;
    std::int16_t iPolarSensitivity = kDefaultViewSettings.iPolarSensitivity;
    bool bAnimate = false;                 // draw the next plot progressively
    std::int16_t iLabelStepX = 1;          // label every n-th division
    std::int16_t iLabelStepY = 1;

    friend bool operator==(const GraphView&, const GraphView&) = default;
};

// Counts that the view divides by. A stored count below 1 is taken as 1, so
// no setting can make the window divide by zero or step backwards.
inline int DivisionsX(const GraphView& view) { return std::max<int>(view.iDivisionsX, 1); }
inline int DivisionsY(const GraphView& view) { return std::max<int>(view.iDivisionsY, 1); }
inline int PolarSensitivity(const GraphView& view) { return std::max<int>(view.iPolarSensitivity, 1); }

// The half-length of a division mark: across the whole square while grid
// lines are drawn (in rectangular mode only), else 5 pixels.
inline int TickLength(const GraphView& view) { return view.bGrids && !view.bModePolar ? view.iHalfSize : 5; }

// World units per picture pixel along each axis.
inline double UnitsPerPixelX(const GraphView& view) { return view.dScaleX / view.iHalfSize; }
inline double UnitsPerPixelY(const GraphView& view) { return view.dScaleY / view.iHalfSize; }

// World to picture pixels. The terms are added in this order, so a point
// lands on the same pixel wherever it is computed.
inline double PixelX(const GraphView& view, double dX)
{
    const double ux = UnitsPerPixelX(view);
    return view.iCenterX + dX / ux - view.dOriginX / ux;
}

inline double PixelY(const GraphView& view, double dY)
{
    const double uy = UnitsPerPixelY(view);
    return view.iCenterY - dY / uy + view.dOriginY / uy;
}

// Picture pixels to world.
inline double WorldX(const GraphView& view, double dPixelX)
{
    return (dPixelX - view.iCenterX) * UnitsPerPixelX(view) + view.dOriginX;
}

inline double WorldY(const GraphView& view, double dPixelY)
{
    return (view.iCenterY - dPixelY) * UnitsPerPixelY(view) + view.dOriginY;
}

// Curves are drawn only inside this band around the plot square. It is
// shifted 10 pixels right and down, so it ends 10 pixels inside the left and
// top ends of the axes and 10 pixels beyond the right and bottom ends.
inline bool InPlotBand(const GraphView& view, double dPixelX, double dPixelY)
{
    return view.iCenterY - view.iHalfSize + 10 <= dPixelY && dPixelY <= view.iCenterY + view.iHalfSize + 10
        && view.iCenterX - view.iHalfSize + 10 <= dPixelX && dPixelX <= view.iCenterX + view.iHalfSize + 10;
}

// Whether the view can be drawn: its centres, half-ranges and the ends of
// its ranges are finite numbers, and so are the steps between divisions.
inline bool IsFiniteView(const GraphView& view)
{
    const auto finite = [](double dOrigin, double dScale, int iDivisions) {
        return std::isfinite(dOrigin) && std::isfinite(dScale) && std::isfinite(dOrigin - dScale)
            && std::isfinite(dOrigin + dScale) && std::isfinite(dScale / iDivisions);
    };
    return finite(view.dOriginX, view.dScaleX, DivisionsX(view)) && finite(view.dOriginY, view.dScaleY, DivisionsY(view));
}
