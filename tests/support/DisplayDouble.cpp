#include "DisplayDouble.h"

#include <utility>

DisplayDouble::DisplayDouble(std::int32_t width, std::int32_t height)
    : iWidth(width)
    , iHeight(height)
{
    for (auto [w, h] :
         {std::pair{640u, 480u}, {800u, 600u}, {1024u, 600u}, {1024u, 768u}, {1280u, 720u}, {1920u, 1080u}})
        modes.append(DisplayMode{0, 32, w, h, 60});
}

std::int32_t DisplayDouble::GetSystemMetrics(int nIndex)
{
    if (nIndex == SM_CXSCREEN)
        return iWidth;
    if (nIndex == SM_CYSCREEN)
        return iHeight;
    return 0;
}

bool DisplayDouble::EnumDisplaySettings(std::int32_t iModeNum, DisplayMode& mode)
{
    ++iEnumerations;
    if (iModeNum < 0 || iModeNum >= modes.size())
        return false;
    mode = modes[iModeNum];
    return true;
}

void DisplayDouble::ChangeDisplaySettings(const DisplayMode& mode)
{
    changeRequests.append(mode);
    for (const DisplayMode& m : modes) {
        if (m.dmPelsWidth == mode.dmPelsWidth && m.dmPelsHeight == mode.dmPelsHeight) {
            iWidth = static_cast<std::int32_t>(mode.dmPelsWidth);
            iHeight = static_cast<std::int32_t>(mode.dmPelsHeight);
        }
    }
}
