#pragma once

#include "GraphScene.h"

#include <QPointF>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// Where a trace point sits on a curve of the graph, and how it reads: the
// geometry of tracing, apart from any window.

// Four samples to each pixel column of the graph's picture: how finely a
// curve is scanned for its points of interest.
inline constexpr int kPointOfInterestSamples = 4 * kGraphPictureSize.width();

// How near to a drawn curve, in pixels, a click traces it.
inline constexpr double kTraceReach = 4.0;

// A point on a curve: the entry it belongs to, counted from 1, the value of
// the loop variable (x, or the angle in polar mode) and the curve's value
// there (y, or r).
struct TracePoint {
    int iEntry = 0;
    double dT = 0.0;
    double dValue = 0.0;
    // A point of interest, shown with its own coordinates rather than those
    // of a pixel column.
    bool bExact = false;
};

// The entries the scene draws, counted from 1, in the chooser's order.
std::vector<int> DrawnEntries(const GraphScene& scene);

// The colour entry iEntry is drawn in, as a 0x00BBGGRR value.
std::uint32_t EntryColor(const GraphScene& scene, int iEntry);

// The curve's value at t, if it has one there.
std::optional<double> EntryValue(const GraphScene& scene, int iEntry, double dT);

// Where the point lies on the picture.
QPointF TracePixel(const GraphView& view, const TracePoint& point);

// Whether the point lies where curves are drawn.
bool TraceVisible(const GraphView& view, const TracePoint& point);

// The point that a click at a picture pixel traces: on the nearest drawn
// curve that passes within kTraceReach pixels, at the pixel's x (in polar
// mode at the nearest sample of that curve). Nothing when no curve passes
// that near.
std::optional<TracePoint> TraceAt(const GraphScene& scene, QPointF pixel);

// The point one pixel column (polar: one sample) along the curve from the
// given one, in the direction iStep (-1 or 1), skipping columns where the
// curve has no value; nothing at the end of the view.
std::optional<TracePoint> NextColumn(const GraphScene& scene, const TracePoint& point, int iStep);

// The point at the same x on the previous (iStep -1) or next drawn curve
// that has a value there; nothing when there is none.
std::optional<TracePoint> NextCurve(const GraphScene& scene, const TracePoint& point, int iStep);

// What the trace shows: the entry, then its point "(x,y)" or "(r,θ)" in the
// readout's form, with digits enough that neighbouring pixel columns (or
// samples) read differently.
QString TraceLabel(const GraphScene& scene, const TracePoint& point);
