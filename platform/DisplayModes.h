#pragma once

#include "ServiceSlot.h"

#include <cstdint>

// The display services the resolution check uses, under the names and with
// the constants that the check is written against: the screen size, the list
// of display modes of the current display, and switching the display to a
// mode.

inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr std::uint32_t DM_PELSWIDTH = 0x80000;
inline constexpr std::uint32_t DM_PELSHEIGHT = 0x100000;

// A display mode description. dmFields marks which of the other fields a
// change request asks for.
struct DisplayMode {
    std::uint32_t dmFields = 0;
    std::uint32_t dmBitsPerPel = 0;
    std::uint32_t dmPelsWidth = 0;
    std::uint32_t dmPelsHeight = 0;
    std::uint32_t dmDisplayFrequency = 0;
};

class DisplayServices {
public:
    virtual ~DisplayServices() = default;

    // SM_CXSCREEN or SM_CYSCREEN: the primary screen's width or height in
    // device pixels. Other indexes give 0.
    virtual std::int32_t GetSystemMetrics(int nIndex) = 0;
    // Fills mode with the current display's mode number iModeNum; false when
    // there is no such mode.
    virtual bool EnumDisplaySettings(std::int32_t iModeNum, DisplayMode& mode) = 0;
    // Switches the display at once to the size the mode asks for, without
    // making it the new default. Where the platform cannot switch, nothing
    // happens. Failures are not reported.
    virtual void ChangeDisplaySettings(const DisplayMode& mode) = 0;
};

template <>
DisplayServices& ServiceSlot<DisplayServices>::Real();

// The display services in use: the real ones unless a stand-in has taken
// their place.
inline DisplayServices& CurrentDisplay()
{
    return ServiceSlot<DisplayServices>::Current();
}
