#include "ViewNavigation.h"

#include "ScaleSteps.h"
#include "ViewEntries.h"

namespace {

// A box narrower or lower than this, in pixels, zooms nowhere.
constexpr double kSmallestBox = 4.0;

} // namespace

GraphView ZoomedAt(const GraphView& view, QPointF pixel, bool bIn, ZoomAxes axes)
{
    GraphView next = view;
    const auto step = [bIn](double& dScale) { bIn ? DecreaseScale(dScale) : IncreaseScale(dScale); };
    // The world point at the pixel stays there: the origin moves with the
    // scale. At a zoom limit the scale stays, and so does the origin.
    if (axes != ZoomAxes::Y) {
        step(next.dScaleX);
        if (next.dScaleX != view.dScaleX)
            next.dOriginX = WorldX(view, pixel.x()) - (pixel.x() - view.iCenterX) * UnitsPerPixelX(next);
    }
    if (axes != ZoomAxes::X) {
        step(next.dScaleY);
        if (next.dScaleY != view.dScaleY)
            next.dOriginY = WorldY(view, pixel.y()) - (view.iCenterY - pixel.y()) * UnitsPerPixelY(next);
    }
    return next;
}

GraphView Panned(const GraphView& start, QPointF offset)
{
    GraphView next = start;
    next.dOriginX = start.dOriginX - offset.x() * UnitsPerPixelX(start);
    next.dOriginY = start.dOriginY + offset.y() * UnitsPerPixelY(start);
    return next;
}

std::optional<GraphView> BoxedView(const GraphView& view, const QRectF& box)
{
    const QRectF pixels = box.normalized();
    if (pixels.width() < kSmallestBox || pixels.height() < kSmallestBox)
        return std::nullopt;
    const double dStartX = WorldX(view, pixels.left()), dEndX = WorldX(view, pixels.right());
    const double dStartY = WorldY(view, pixels.bottom()), dEndY = WorldY(view, pixels.top());
    if (!DrawableRange(dStartX, dEndX) || !DrawableRange(dStartY, dEndY))
        return std::nullopt;
    GraphView next = view;
    next.dScaleX = (dEndX - dStartX) / 2;
    next.dOriginX = (dEndX + dStartX) / 2;
    next.dScaleY = (dEndY - dStartY) / 2;
    next.dOriginY = (dEndY + dStartY) / 2;
    return next;
}
