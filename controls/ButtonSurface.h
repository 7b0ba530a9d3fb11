#pragma once

#include <QPainter>

class QImage;

// The drawing primitives of the button control, on its surface image. Lines
// and rectangles leave out their far edges, so that shapes drawn edge to edge
// never paint a pixel twice: a line leaves out its end point, and a
// rectangle leaves out its right column and bottom row. (The
// graph picture draws lines differently: there a zero-length line is a dot.)
class ButtonSurface {
public:
    explicit ButtonSurface(QImage& surface);

    void Clear(const QColor& color);
    // A 1-pixel line from (x1, y1) towards (x2, y2), end point not painted.
    void Line(int x1, int y1, int x2, int y2, const QColor& color);
    // The outline of the rectangle from (left, top) to (right, bottom), the
    // right and bottom coordinates excluded; the inside is left alone.
    void OutlineRect(int iLeft, int iTop, int iRight, int iBottom, const QColor& color);
    // The dotted focus frame of the same rectangle: every other pixel of the
    // frame is inverted, so drawing it twice restores the surface.
    void FocusRect(int iLeft, int iTop, int iRight, int iBottom);
    // Text with its top-left corner at the point, background untouched.
    void Text(const QPointF& topLeft, const QString& strText, const QFont& font, const QColor& color);

private:
    void Pixel(int x, int y, const QColor& color);
    void InvertPixel(int x, int y);

    QPainter m_painter;
    QSizeF m_size;
};
