#pragma once

#include "GraphView.h"

#include <cstdint>
#include <functional>
#include <string>

class PictureCanvas;
class clsMath;

// Clears the picture and draws the two centre lines, the division marks (grid
// lines when grids are on in rectangular mode), the value labels, and in
// polar mode the ring and its dotted spokes. The marks are as long as
// TickLength gives.
void PaintAxes(PictureCanvas& canvas, const GraphView& view);

// Samples one curve with the evaluator and joins consecutive visible samples
// with lines in the canvas's colour and width; the pen lifts at evaluation
// errors and outside the plot band. strExpression is handed to the evaluator
// for every sample (it may rewrite it). beforePoint, when given, runs before
// each point is drawn. Returns the number of samples taken.
std::int64_t PaintCurve(PictureCanvas& canvas, const GraphView& view, clsMath& objMath, std::string& strExpression,
                        const std::function<void()>& beforePoint = {});

// The colour of entry i (from 1) when every expression is shown: (i + 1) x
// 50000, as a 0x00BBGGRR value. Past the last colour the values wrap around.
std::uint32_t CurveColor(int iEntry);

// The colour of an expression shown on its own.
constexpr std::uint32_t kChosenCurveColor = 150000;
