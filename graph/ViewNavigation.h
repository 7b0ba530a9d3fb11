#pragma once

#include "GraphView.h"

#include <QPointF>
#include <QRectF>

#include <optional>

// Views reached with the mouse, worked out from the view they start from.

// Which axes a zoom at the pointer changes.
enum class ZoomAxes { Both, X, Y };

// One zoom step in (bIn) or out on the given axes, with the steps and limits
// of the zoom commands, keeping the world point at the picture pixel where
// it is.
GraphView ZoomedAt(const GraphView& view, QPointF pixel, bool bIn, ZoomAxes axes);

// The view moved so that the world point that was at a pixel of the start
// view lies offset pixels away from it.
GraphView Panned(const GraphView& start, QPointF offset);

// The view whose plot square shows what the box of picture pixels showed;
// nothing for a box narrower than a few pixels or one whose ranges the
// preferences would refuse.
std::optional<GraphView> BoxedView(const GraphView& view, const QRectF& box);

// A press and release this near each other (in pixels) make a click; a
// press that moves further drags.
inline constexpr double kClickSlack = 3.0;
