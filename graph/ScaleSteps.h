#pragma once

// The zoom steps of a half-range. Both store the new value back through the
// argument and return it.

// Zooming in: 100 off above 100, 10 above 10, 1 above 1, 0.1 above 0.1 and
// 0.01 above 0.01; never below 0.01.
inline double DecreaseScale(double& dValue)
{
    if (dValue > 100)
        dValue = dValue - 100;
    else if (dValue > 10)
        dValue = dValue - 10;
    else if (dValue > 1)
        dValue = dValue - 1;
    else if (dValue > 0.1)
        dValue = dValue - 0.1;
    else if (dValue > 0.01)
        dValue = dValue - 0.01;
    if (dValue < 0.01)
        dValue = 0.01;
    return dValue;
}

// Zooming out: 100 more from 100 up, 10 from 10, 1 from 1, 0.1 from 0.1,
// 0.01 below that; never above 1000.
inline double IncreaseScale(double& dValue)
{
    if (dValue >= 100)
        dValue = dValue + 100;
    else if (dValue >= 10)
        dValue = dValue + 10;
    else if (dValue >= 1)
        dValue = dValue + 1;
    else if (dValue >= 0.1)
        dValue = dValue + 0.1;
    else
        dValue = dValue + 0.01;
    if (dValue > 1000)
        dValue = 1000;
    return dValue;
}
