#pragma once

#include <QColor>
#include <QIcon>

#include <functional>

class QPainter;

// The two colours an icon is drawn in: the palette's button text colour for
// the picture and its highlight colour for accents. A disabled icon gets the
// greyed text colour for both.
struct IconInk {
    QColor main;
    QColor accent;
};

// Draws a picture into a square box of design units starting at (0, 0). The
// painter arrives scaled to the size asked for and antialiased.
using IconPainter = std::function<void(QPainter& painter, const IconInk& ink)>;

// An icon drawn as vectors at whatever size and pixel ratio it is asked for;
// the design box of dBoxSide units is fitted, centred, into the square that
// fits the requested rectangle.
QIcon VectorIcon(double dBoxSide, IconPainter draw);
