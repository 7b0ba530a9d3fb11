#include "ButtonSurface.h"

#include <QFontMetricsF>
#include <QImage>

#include <cstdlib>

ButtonSurface::ButtonSurface(QImage& surface)
    : m_painter(&surface)
    , m_size(surface.deviceIndependentSize())
{
}

void ButtonSurface::Clear(const QColor& color)
{
    m_painter.fillRect(QRectF(QPointF(0, 0), m_size), color);
}

void ButtonSurface::Pixel(int x, int y, const QColor& color)
{
    m_painter.fillRect(QRect(x, y, 1, 1), color);
}

void ButtonSurface::InvertPixel(int x, int y)
{
    m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    m_painter.fillRect(QRect(x, y, 1, 1), Qt::black);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void ButtonSurface::Line(int x1, int y1, int x2, int y2, const QColor& color)
{
    // Horizontal and vertical lines, the only kind the looks use, are one
    // rectangle each.
    if (y1 == y2) {
        if (x1 != x2)
            m_painter.fillRect(QRect(QPoint(std::min(x1, x2 + 1), y1), QPoint(std::max(x1, x2 - 1), y1)), color);
        return;
    }
    if (x1 == x2) {
        m_painter.fillRect(QRect(QPoint(x1, std::min(y1, y2 + 1)), QPoint(x1, std::max(y1, y2 - 1))), color);
        return;
    }
    // Any other direction: Bresenham's steps, stopping before the end point.
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        Pixel(x, y, color);
        const int error2 = 2 * error;
        if (error2 >= dy) {
            error += dy;
            x += sx;
        }
        if (error2 <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void ButtonSurface::OutlineRect(int iLeft, int iTop, int iRight, int iBottom, const QColor& color)
{
    if (iRight <= iLeft || iBottom <= iTop)
        return;
    m_painter.fillRect(QRect(iLeft, iTop, iRight - iLeft, 1), color);
    m_painter.fillRect(QRect(iLeft, iBottom - 1, iRight - iLeft, 1), color);
    m_painter.fillRect(QRect(iLeft, iTop, 1, iBottom - iTop), color);
    m_painter.fillRect(QRect(iRight - 1, iTop, 1, iBottom - iTop), color);
}

void ButtonSurface::FocusRect(int iLeft, int iTop, int iRight, int iBottom)
{
    if (iRight <= iLeft || iBottom <= iTop)
        return;
    // The pattern is fixed to the surface: pixels whose coordinates add up
    // to an even number are inverted. Each frame pixel is visited once.
    const auto visit = [this](int x, int y) {
        if (((x + y) & 1) == 0)
            InvertPixel(x, y);
    };
    for (int x = iLeft; x < iRight; ++x) {
        visit(x, iTop);
        if (iBottom - 1 > iTop)
            visit(x, iBottom - 1);
    }
    for (int y = iTop + 1; y < iBottom - 1; ++y) {
        visit(iLeft, y);
        if (iRight - 1 > iLeft)
            visit(iRight - 1, y);
    }
}

void ButtonSurface::Text(const QPointF& topLeft, const QString& strText, const QFont& font, const QColor& color)
{
    m_painter.setFont(font);
    m_painter.setPen(color);
    // Whole pixels keep the text as sharp as the font allows.
    const QPointF origin(qRound(topLeft.x()), qRound(topLeft.y()));
    m_painter.drawText(origin + QPointF(0, QFontMetricsF(font).ascent()), strText);
}
