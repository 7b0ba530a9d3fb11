#include "Settings.h"

ViewSettings gViewSettings{};

void SetDefaultSettings()
{
    gViewSettings.dScaleX = 10.0;
    gViewSettings.dScaleY = 10.0;
    gViewSettings.dOriginX = 0.0;
    gViewSettings.dOriginY = 0.0;
    gViewSettings.iDivisionsX = 5;
    gViewSettings.iDivisionsY = 5;
    gViewSettings.bGrids = false;
    gViewSettings.iPolarSensitivity = 100;
    gViewSettings.bAnimate = true;
    gViewSettings.bOptimize = true;
}
