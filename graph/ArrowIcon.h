#pragma once

#include <QIcon>

enum class ArrowDirection { Left, Up, Right, Down };

// A plain arrow (shaft and head) drawn as vectors at whatever size and pixel
// ratio the icon is asked for, in the palette's text colour (greyed when the
// button is disabled).
QIcon ArrowIcon(ArrowDirection direction);
