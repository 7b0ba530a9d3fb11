#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The points of interest of curves y = f(x) over a range of x: their roots,
// local minima and maxima, and the points where two curves cross. Each is
// found by a scan of the range (the caller says how many samples) and then
// refined within the bracket the scan found, never by guessing:
//
// - a root or a crossing where the sign changes is located to neighbouring
//   doubles; a sign change across a pole or a jump (tan x at pi/2, 1/x at
//   0) is not one, since the value there does not vanish;
// - a minimum or maximum to about 1e-8 of x; one whose value is 0, where
//   the curve only touches zero (x^2), is a root as well;
// - where a curve has no value (the evaluator fails), nothing is found.

enum class PointKind { Root, Minimum, Maximum, Intersection };

struct PointOfInterest {
    PointKind kind;
    double dX;
    double dY;
    std::size_t iCurve;     // the curve, by its place in the list given
    std::size_t iOther = 0; // for an intersection, the other curve
};

// A curve's value at x; not a number where it has none.
using CurveFunction = std::function<double(double)>;

// Every point of interest of the curves within dStart to dEnd, found from
// iSamples + 1 samples of each curve spread evenly over the range; ordered
// by curve, then by x. Intersections are listed once per pair, under the
// curve that comes first.
std::vector<PointOfInterest> FindPointsOfInterest(const std::vector<CurveFunction>& curves, double dStart, double dEnd,
                                                  int iSamples);

// The points of interest of one curve alone: its own, and its crossings
// with each of the others (listed under it, the other as iOther).
std::vector<PointOfInterest> FindPointsOfInterestOf(const std::vector<CurveFunction>& curves, std::size_t iCurve,
                                                    double dStart, double dEnd, int iSamples);

// The curve of an entry of the expression list, evaluated as a graph is.
CurveFunction EntryCurve(const std::string& strEntry);
