#pragma once

#include <QRect>
#include <QSize>

// Window layouts are written in twips (1/1440 inch). At 96 dots per inch
// fifteen twips make one pixel; Qt's high-DPI scaling takes care of larger
// screens, so this is the only place where twips become pixels.
constexpr int TwipsToPixels(int iTwips)
{
    // Rounds to the nearest pixel, halves away from zero.
    return iTwips >= 0 ? (iTwips + 7) / 15 : -((-iTwips + 7) / 15);
}

constexpr QSize TwipsSize(int iWidth, int iHeight)
{
    return QSize(TwipsToPixels(iWidth), TwipsToPixels(iHeight));
}

// A control's rectangle from its left, top, width and height in twips.
constexpr QRect TwipsRect(int iLeft, int iTop, int iWidth, int iHeight)
{
    return QRect(TwipsToPixels(iLeft), TwipsToPixels(iTop), TwipsToPixels(iWidth), TwipsToPixels(iHeight));
}
