#pragma once

#include <QIcon>

class QPainter;

// The program's icon: a small sheet of graph paper with axes and two curves,
// drawn as vectors so that it is sharp at every size.
QIcon ProgramIcon();

// Paints the same picture, antialiased, into the square from (0, 0) to
// (dSide, dSide) of the painter's coordinates; the icon files installed with
// the program are made with it.
void PaintProgramIcon(QPainter& painter, double dSide);
