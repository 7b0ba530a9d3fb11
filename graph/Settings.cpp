#include "Settings.h"

ViewSettings gViewSettings{};

void SetDefaultSettings()
{
    gViewSettings = kDefaultViewSettings;
}
