#pragma once

#include "DisplayModes.h"

#include <QList>

// A screen of a given size with a list of modes. Records every change
// request; a request for a listed size makes it the screen's size. Takes the
// real display's place while it exists.
class DisplayDouble : public ServiceStandIn<DisplayServices> {
public:
    DisplayDouble(std::int32_t iWidth, std::int32_t iHeight);

    std::int32_t GetSystemMetrics(int nIndex) override;
    bool EnumDisplaySettings(std::int32_t iModeNum, DisplayMode& mode) override;
    void ChangeDisplaySettings(const DisplayMode& mode) override;

    std::int32_t iWidth;
    std::int32_t iHeight;
    QList<DisplayMode> modes;
    QList<DisplayMode> changeRequests;
    int iEnumerations = 0;
};
