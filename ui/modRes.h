#pragma once

#include "DisplayModes.h"

// Switching the display mode.
namespace modRes {

// The mode record handed to the display; it keeps what the last listing of
// the display's modes left in it.
extern DisplayMode DevMode;

// Switches the display to sngWidth x sngHeight pixels (each rounded to the
// nearest whole number). Only the size is asked for; colour depth and refresh
// rate stay as the display has them. Nothing is reported.
void ChangeRes(float& sngWidth, float& sngHeight);

} // namespace modRes
