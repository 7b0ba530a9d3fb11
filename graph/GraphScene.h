#pragma once

#include "GraphView.h"
#include "PictureCanvas.h"

#include <QImage>
#include <QSize>
#include <QStringList>

#include <functional>

class QPainter;
class clsMath;

// The size of the graph's picture: the client area of the graph window's
// picture box, and the size of every file the graph is written to.
inline constexpr QSize kGraphPictureSize(475, 461);

// The graph as a value, apart from any window: the expressions as the list
// holds them, which of them is shown, and the view they are drawn in.
struct GraphScene {
    QStringList entries;
    // 0 shows every entry, each in its own colour; i shows entry i (from 1)
    // alone.
    int iChosen = 0;
    GraphView view;
};

// The view that an opening of the graph starts from: the stored settings in
// the given mode, on a picture of the given size (the centre of the picture,
// halves rounded to even, shows the centre of the view).
GraphView OpeningView(const ViewSettings& settings, bool bPolar, QSize pictureSize = kGraphPictureSize);

// The entry shown alone, counted from 1, or 0 when every entry is shown.
int ChosenEntry(const GraphScene& scene);

// How many curves the scene draws.
int CurveCount(const GraphScene& scene);

// Draws the scene on the canvas: clears it, draws the axes, marks and labels,
// then for each drawn entry its legend and its curve in its colour, and
// leaves the canvas's pen and font as it found them on a new canvas. The
// evaluator samples the curves; beforePoint, when given, runs before each
// point of a curve is drawn.
void DrawGraph(PictureCanvas& canvas, const GraphScene& scene, clsMath& objMath,
               const std::function<void()>& beforePoint = {});

// The scene drawn on a new white picture of the graph's size, the usual way
// or the plain way; with pMirror, drawn with that painter too, at its
// surface's resolution.
QImage GraphPicture(const GraphScene& scene, QPainter* pMirror = nullptr,
                    CanvasDrawing drawing = CanvasDrawing::Usual);
