#include "modRes.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace modRes {

DisplayMode DevMode{};

namespace {

std::uint32_t PixelCount(float sngValue)
{
    const double dRounded = std::nearbyint(static_cast<double>(sngValue));
    if (!(dRounded >= 0.0))
        return 0;
    if (dRounded >= static_cast<double>(std::numeric_limits<std::uint32_t>::max()))
        return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(dRounded);
}

} // namespace

void ChangeRes(float& sngWidth, float& sngHeight)
{
    DisplayServices& display = CurrentDisplay();
    // Listing every mode leaves DevMode filled with a complete description of
    // the current display (the last mode listed).
    for (std::int32_t iModeNum = 0; iModeNum < std::numeric_limits<std::int32_t>::max(); ++iModeNum) {
        if (!display.EnumDisplaySettings(iModeNum, DevMode))
            break;
    }
    DevMode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    DevMode.dmPelsWidth = PixelCount(sngWidth);
    DevMode.dmPelsHeight = PixelCount(sngHeight);
    display.ChangeDisplaySettings(DevMode);
}

} // namespace modRes
