#pragma once

#include "DisplayModes.h"

// The desktop's display: the screen size from Qt, and on X11 the display
// sizes of the RandR extension. Elsewhere the current size is the only mode
// and the display is never switched.
class RealDisplay : public DisplayServices {
public:
    std::int32_t GetSystemMetrics(int nIndex) override;
    bool EnumDisplaySettings(std::int32_t iModeNum, DisplayMode& mode) override;
    void ChangeDisplaySettings(const DisplayMode& mode) override;
};
