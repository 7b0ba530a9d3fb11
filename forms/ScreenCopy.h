#pragma once

#include "PictureCanvas.h"

#include <QImage>
#include <QPainter>

#include <optional>

// A picture as a screen with finer pixels shows it: a copy at the screen's
// resolution that a mirror of the picture's canvas draws on, so that lines
// and text are drawn in the screen's own pixels. On a screen whose pixels
// are the picture's, there is no copy and the picture itself is shown.
class ScreenCopy {
public:
    ScreenCopy(const QImage& picture, PictureCanvas& canvas);
    ScreenCopy(const ScreenCopy&) = delete;
    ScreenCopy& operator=(const ScreenCopy&) = delete;

    // Fits the copy to the device pixel ratio and to the picture's size.
    // True when that made it anew: it then shows the picture enlarged until
    // the owner draws the picture again.
    bool Follow(qreal dRatio);

    // What the screen shows: the copy, with everything drawn so far, or the
    // picture itself.
    const QImage& Shown();

private:
    const QImage& m_picture;
    PictureCanvas& m_canvas;
    QImage m_copy; // null when the screen's pixels are those of the picture
    QPainter m_painter;
    std::optional<PictureCanvas::Mirror> m_mirror;
};
