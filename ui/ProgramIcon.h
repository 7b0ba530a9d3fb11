#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon: a small sheet of graph paper with axes and two curves,
// drawn as vectors so that it is sharp at every size.
QIcon ProgramIcon();

// The side of the icon as the About box shows it, in pixels.
inline constexpr int kProgramIconSide = 32;

// The icon as a kProgramIconSide square picture, at the given pixel ratio.
QPixmap ProgramIconPixmap(qreal dPixelRatio = 1.0);
