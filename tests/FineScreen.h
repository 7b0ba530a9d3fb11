#pragma once

// For tests run beside a second screen with two device pixels to a pixel
// (support/two-screens.json on the offscreen platform): finding it, putting
// a window on it, and telling a picture drawn at its resolution from one
// merely doubled.

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>
#include <QWindow>

inline QScreen* FineScreen()
{
    for (QScreen* pScreen : QGuiApplication::screens())
        if (pScreen->devicePixelRatio() == 2)
            return pScreen;
    return nullptr;
}

inline void MoveToScreen(QWidget* pWindow, QScreen* pScreen)
{
    pWindow->windowHandle()->setScreen(pScreen);
    pWindow->move(pScreen->geometry().topLeft() + QPoint(20, 20));
}

// How many blocks of 2 x 2 device pixels, one for each pixel of the area,
// are partly the colour and partly not: none in a picture doubled pixel for
// pixel.
inline int SplitBlocks(const QImage& screen, QRgb colour, const QRect& area)
{
    int iSplit = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const int iInColour = (screen.pixel(2 * x, 2 * y) == colour) + (screen.pixel(2 * x + 1, 2 * y) == colour)
                                + (screen.pixel(2 * x, 2 * y + 1) == colour)
                                + (screen.pixel(2 * x + 1, 2 * y + 1) == colour);
            iSplit += iInColour > 0 && iInColour < 4;
        }
    return iSplit;
}
