#include "PictureCanvas.h"

#include "SystemColors.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Far enough outside any picture to be clipped, near enough for the
// rasteriser to stay exact.
constexpr double kFarAway = 1 << 20;

std::optional<int> DevicePixel(double dValue)
{
    if (std::isnan(dValue))
        return std::nullopt;
    return static_cast<int>(std::nearbyint(std::clamp(dValue, -kFarAway, kFarAway)));
}

} // namespace

PictureCanvas::PictureCanvas(QImage& image)
    : m_image(image)
{
}

PictureCanvas::~PictureCanvas() = default;

QImage PictureCanvas::NewImage(const QSize& size, const QColor& color)
{
    constexpr int kDotsPerMeter = 3780; // 96 dots per inch
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.fill(color);
    return image;
}

PictureCanvas::LineBatch::LineBatch(PictureCanvas& canvas)
    : m_canvas(canvas)
{
    if (!m_canvas.m_pBatchPainter) {
        m_canvas.m_pBatchPainter = std::make_unique<QPainter>(&m_canvas.m_image);
        m_canvas.m_batchPenState.reset();
    }
}

PictureCanvas::LineBatch::~LineBatch()
{
    m_canvas.m_pBatchPainter.reset();
}

QPen PictureCanvas::LinePen() const
{
    QPen pen(ColorFromValue(ForeColor));
    pen.setWidth(std::max(DrawWidth, 1));
    pen.setCapStyle(Qt::SquareCap);
    if (Style == DrawStyle::Dot)
        pen.setDashPattern({3.0, 3.0});
    return pen;
}

template <typename Draw>
void PictureCanvas::Paint(Draw&& draw)
{
    if (m_pBatchPainter) {
        draw(*m_pBatchPainter);
        return;
    }
    QPainter painter(&m_image);
    draw(painter);
}

void PictureCanvas::Cls()
{
    m_image.fill(ColorFromValue(BackColor));
    CurrentX = 0.0;
    CurrentY = 0.0;
}

void PictureCanvas::Line(double dX1, double dY1, double dX2, double dY2)
{
    CurrentX = dX2;
    CurrentY = dY2;
    const auto x1 = DevicePixel(dX1), y1 = DevicePixel(dY1), x2 = DevicePixel(dX2), y2 = DevicePixel(dY2);
    if (!x1 || !y1 || !x2 || !y2)
        return;
    if (m_pBatchPainter) {
        // The batch's pen is made again only when the line attributes change.
        const PenState state{ForeColor, DrawWidth, Style};
        if (state != m_batchPenState) {
            m_pBatchPainter->setPen(LinePen());
            m_batchPenState = state;
        }
        m_pBatchPainter->drawLine(QPoint(*x1, *y1), QPoint(*x2, *y2));
        return;
    }
    QPainter painter(&m_image);
    painter.setPen(LinePen());
    painter.drawLine(QPoint(*x1, *y1), QPoint(*x2, *y2));
}

void PictureCanvas::LineTo(double dX, double dY)
{
    Line(CurrentX, CurrentY, dX, dY);
}

void PictureCanvas::Circle(double dX, double dY, double dRadius, double dAspect)
{
    dAspect = std::fabs(dAspect);
    if (!std::isfinite(dX) || !std::isfinite(dY) || !std::isfinite(dRadius) || std::isnan(dAspect))
        return;
    const double dRadiusX = dAspect < 1.0 ? dRadius : dRadius / dAspect;
    const double dRadiusY = dAspect < 1.0 ? dRadius * dAspect : dRadius;
    const auto cx = DevicePixel(dX), cy = DevicePixel(dY), rx = DevicePixel(dRadiusX), ry = DevicePixel(dRadiusY);
    Paint([&](QPainter& painter) {
        painter.setPen(LinePen());
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPoint(*cx, *cy), *rx, *ry);
    });
}

void PictureCanvas::Print(const QString& strText, bool bNewLine)
{
    // Text is drawn in whole pixels of the fore colour, like the lines.
    QFont font = Font;
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(font, &m_image);
    const auto x = DevicePixel(CurrentX), y = DevicePixel(CurrentY);
    if (x && y) {
        Paint([&](QPainter& painter) {
            painter.setFont(font);
            painter.setPen(ColorFromValue(ForeColor));
            painter.drawText(QPoint(*x, *y + metrics.ascent()), strText);
        });
    }
    if (bNewLine) {
        CurrentX = 0.0;
        CurrentY += metrics.height();
    } else {
        CurrentX += metrics.horizontalAdvance(strText);
    }
}
