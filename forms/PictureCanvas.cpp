#include "PictureCanvas.h"

#include "SystemColors.h"

#include <QFontMetrics>
#include <QPainter>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

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

// A coordinate as a mirror takes it: with its fraction.
std::optional<double> MirrorCoordinate(double dValue)
{
    if (std::isnan(dValue))
        return std::nullopt;
    return std::clamp(dValue, -kFarAway, kFarAway);
}

// Where a mirror puts a point of the image for a pen of the given width. A
// line of odd width through pixel p covers that pixel, whose middle is
// p + 0.5; a line of even width is centred on the edge p.
QPointF MirrorPoint(double dX, double dY, int iWidth)
{
    const double dOffset = iWidth % 2 == 1 ? 0.5 : 0.0;
    return {dX + dOffset, dY + dOffset};
}

void DrawText(QPainter& painter, const QFont& font, std::uint32_t lColor, QPointF baseline, const QString& strText)
{
    painter.setFont(font);
    painter.setPen(ColorFromValue(lColor));
    painter.drawText(baseline, strText);
}

} // namespace

PictureCanvas::PictureCanvas(QImage& image, CanvasDrawing drawing)
    : m_image(image)
    , m_bPlain(drawing == CanvasDrawing::Plain)
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

PictureCanvas::Batch::Batch(PictureCanvas& canvas)
    : m_canvas(canvas)
{
    if (!m_canvas.m_pBatchPainter && !m_canvas.m_bPlain) {
        m_canvas.m_pBatchPainter = std::make_unique<QPainter>(&m_canvas.m_image);
        m_canvas.m_batchPenState.reset();
        m_canvas.m_iBatchFontGeneration = -1;
        m_bOwnsPainter = true;
    }
}

PictureCanvas::Batch::~Batch()
{
    if (m_bOwnsPainter) {
        m_canvas.DrawStamps();
        m_canvas.m_pBatchPainter.reset();
    }
    m_canvas.FlushMirrors();
}

PictureCanvas::Mirror::Mirror(PictureCanvas& canvas, QPainter& painter)
    : m_canvas(canvas)
    , m_painter(painter)
{
    m_canvas.m_mirrors.push_back(
        MirrorSurface{&painter, painter.device()->devType() == QInternal::Image, {}, {}, {}, {}});
}

PictureCanvas::Mirror::~Mirror()
{
    auto& mirrors = m_canvas.m_mirrors;
    const auto it = std::find_if(mirrors.begin(), mirrors.end(),
                                 [this](const MirrorSurface& mirror) { return mirror.pPainter == &m_painter; });
    if (it == mirrors.end())
        return;
    m_canvas.Flush(*it);
    mirrors.erase(it);
}

void PictureCanvas::FlushMirrors()
{
    for (MirrorSurface& mirror : m_mirrors)
        Flush(mirror);
}

void PictureCanvas::Flush(MirrorSurface& mirror)
{
    if (mirror.pendingLine.isEmpty())
        return;
    if (mirror.pendingLine.last() != mirror.pendingEnd)
        mirror.pendingLine.append(mirror.pendingEnd);
    QPainter& painter = *mirror.pPainter;
    QPen pen = LinePen(mirror.pendingPen);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    const QPolygonF& line = mirror.pendingLine;
    if (mirror.bPixels) {
        // On pixels the lines go down one by one, as on the picture: the
        // rasteriser draws separate lines much faster than a wide polyline.
        QVarLengthArray<QLineF, 256> lines;
        for (qsizetype i = 1; i < line.size(); ++i)
            lines.append(QLineF(line[i - 1], line[i]));
        painter.drawLines(lines.constData(), static_cast<int>(lines.size()));
    } else {
        painter.drawPolyline(line);
    }
    mirror.pendingLine.clear();
}

QPointF PictureCanvas::MirrorSurface::Place(const QPointF& point) const
{
    const QPointF place = pPainter->deviceTransform().map(point);
    return bPixels ? QPointF(place.toPoint()) : place;
}

template <typename Draw>
void PictureCanvas::PaintMirrors(Draw&& draw)
{
    for (MirrorSurface& mirror : m_mirrors) {
        Flush(mirror);
        draw(*mirror.pPainter);
    }
}

bool PictureCanvas::Records::Keep(std::uint32_t lDrawnColor, bool bPlain)
{
    if (lDrawnColor == lColor && !bPlain)
        return true;
    Forget();
    lColor = lDrawnColor;
    return false;
}

void PictureCanvas::Records::Forget()
{
    line.reset();
    text.reset();
}

void PictureCanvas::MirrorLine(double dX1, double dY1, double dX2, double dY2)
{
    const auto x1 = MirrorCoordinate(dX1), y1 = MirrorCoordinate(dY1), x2 = MirrorCoordinate(dX2),
               y2 = MirrorCoordinate(dY2);
    const PenState pen = CurrentPen();
    const QPointF start = MirrorPoint(x1.value_or(0.0), y1.value_or(0.0), pen.iWidth);
    const QPointF end = MirrorPoint(x2.value_or(0.0), y2.value_or(0.0), pen.iWidth);
    for (MirrorSurface& mirror : m_mirrors) {
        // A line that goes on from the end of the last one, in the same pen,
        // extends its polyline.
        const bool bContinues = !mirror.pendingLine.isEmpty() && mirror.pendingEnd == start
                             && mirror.pendingPen == pen;
        if (!x1 || !y1 || !x2 || !y2) {
            Flush(mirror);
            continue;
        }
        if (bContinues) {
            constexpr double kSeenDistance = 0.1; // pixels
            const QPointF step = end - mirror.pendingLine.last();
            if (mirror.bPixels || QPointF::dotProduct(step, step) >= kSeenDistance * kSeenDistance)
                mirror.pendingLine.append(end);
            mirror.pendingEnd = end;
            continue;
        }
        const QPointF surfaceStart = mirror.Place(start), surfaceEnd = mirror.Place(end);
        const LineRecord line{surfaceStart.x(), surfaceStart.y(), surfaceEnd.x(), surfaceEnd.y(), pen};
        if (mirror.records.Keep(pen.lColor, m_bPlain) && line == mirror.records.line)
            continue;
        mirror.records.line = line;
        Flush(mirror);
        mirror.pendingLine.append(start);
        mirror.pendingLine.append(end);
        mirror.pendingEnd = end;
        mirror.pendingPen = pen;
    }
}

PictureCanvas::PenState PictureCanvas::CurrentPen() const
{
    return PenState{ForeColor, std::max(DrawWidth, 1), Style};
}

QPen PictureCanvas::LinePen(const PenState& state)
{
    QPen pen(ColorFromValue(state.lColor));
    pen.setWidth(state.iWidth);
    pen.setCapStyle(Qt::SquareCap);
    if (state.style == DrawStyle::Dot)
        pen.setDashPattern({3.0, 3.0});
    return pen;
}

template <typename Draw>
void PictureCanvas::Paint(Draw&& draw)
{
    if (m_pBatchPainter) {
        DrawStamps();
        draw(*m_pBatchPainter);
        // The batch's pen and font are no longer known.
        m_batchPenState.reset();
        m_iBatchFontGeneration = -1;
        return;
    }
    QPainter painter(&m_image);
    draw(painter);
}

void PictureCanvas::UseBatchPen(const PenState& state)
{
    if (state != m_batchPenState) {
        m_pBatchPainter->setPen(LinePen(state));
        m_batchPenState = state;
    }
}

PictureCanvas::TextFont& PictureCanvas::CurrentTextFont()
{
    if (!m_textFont || m_textFont->requested != Font) {
        // Text is drawn in whole pixels of the fore colour, like the lines.
        QFont font = Font;
        font.setStyleStrategy(QFont::NoAntialias);
        const int iGeneration = m_textFont ? m_textFont->iGeneration + 1 : 0;
        m_textFont.emplace(TextFont{Font, font, QFontMetrics(font, &m_image), iGeneration, std::nullopt});
    }
    return *m_textFont;
}

GlyphStamps* PictureCanvas::StampsFor(TextFont& textFont)
{
    if (!textFont.stamps) {
        auto known = std::find_if(m_stamps.begin(), m_stamps.end(),
                                  [&](const auto& entry) { return entry.first == textFont.font; });
        if (known == m_stamps.end())
            known = m_stamps.insert(m_stamps.end(), {textFont.font, GlyphStamps::ForFont(textFont.font, &m_image)});
        textFont.stamps = known->second.get();
    }
    return *textFont.stamps;
}

bool PictureCanvas::KeepRecords(std::uint32_t lColor)
{
    // Glyphs waiting in the records' colour go down before another colour.
    if (lColor != m_records.lColor || m_bPlain)
        DrawStamps();
    return m_records.Keep(lColor, m_bPlain);
}

void PictureCanvas::DrawStamps()
{
    if (!m_pWaitingStamps)
        return;
    GlyphStamps* pStamps = std::exchange(m_pWaitingStamps, nullptr);
    UseBatchPen(PenState{m_records.lColor, 1, DrawStyle::Solid});
    pStamps->Draw(*m_pBatchPainter);
}

void PictureCanvas::Cls()
{
    DrawStamps();
    m_image.fill(ColorFromValue(BackColor));
    m_records.Forget();
    const QRectF area(QPointF(0, 0), m_image.size());
    for (MirrorSurface& mirror : m_mirrors) {
        mirror.pendingLine.clear();
        mirror.records.Forget();
        mirror.pPainter->fillRect(area, ColorFromValue(BackColor));
    }
    CurrentX = 0.0;
    CurrentY = 0.0;
}

void PictureCanvas::Line(double dX1, double dY1, double dX2, double dY2)
{
    CurrentX = dX2;
    CurrentY = dY2;
    if (!m_mirrors.empty())
        MirrorLine(dX1, dY1, dX2, dY2);
    const auto x1 = DevicePixel(dX1), y1 = DevicePixel(dY1), x2 = DevicePixel(dX2), y2 = DevicePixel(dY2);
    if (!x1 || !y1 || !x2 || !y2)
        return;
    const PenState state = CurrentPen();
    const LineRecord line{double(*x1), double(*y1), double(*x2), double(*y2), state};
    if (KeepRecords(state.lColor) && line == m_records.line)
        return;
    m_records.line = line;
    if (m_pBatchPainter) {
        // The batch's pen is made again only when the line attributes change.
        UseBatchPen(state);
        m_pBatchPainter->drawLine(QPoint(*x1, *y1), QPoint(*x2, *y2));
        return;
    }
    QPainter painter(&m_image);
    painter.setPen(LinePen(state));
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
    KeepRecords(ForeColor);
    const auto outline = [&](QPainter& painter) {
        painter.setPen(LinePen(CurrentPen()));
        painter.setBrush(Qt::NoBrush);
    };
    Paint([&](QPainter& painter) {
        outline(painter);
        painter.drawEllipse(QPoint(*cx, *cy), *rx, *ry);
    });
    for (MirrorSurface& mirror : m_mirrors)
        mirror.records.Keep(ForeColor, m_bPlain);
    PaintMirrors([&](QPainter& painter) {
        outline(painter);
        painter.drawEllipse(MirrorPoint(*MirrorCoordinate(dX), *MirrorCoordinate(dY), CurrentPen().iWidth),
                            std::min(dRadiusX, kFarAway), std::min(dRadiusY, kFarAway));
    });
}

void PictureCanvas::Print(const QString& strText, bool bNewLine)
{
    TextFont& textFont = CurrentTextFont();
    const QFontMetrics& metrics = textFont.metrics;
    const auto x = DevicePixel(CurrentX), y = DevicePixel(CurrentY);
    if (x && y) {
        const QPoint baseline(*x, *y + metrics.ascent());
        TextRecord text{strText, double(baseline.x()), double(baseline.y()), textFont.iGeneration};
        if (!KeepRecords(ForeColor) || text != m_records.text) {
            // In a batch, a label's glyphs wait to be drawn with the others
            // of its colour and font.
            GlyphStamps* pStamps = m_pBatchPainter && !m_bPlain ? StampsFor(textFont) : nullptr;
            const bool bStamped = pStamps && (!m_pWaitingStamps || m_pWaitingStamps == pStamps)
                               && pStamps->Add(strText, baseline);
            if (bStamped) {
                m_pWaitingStamps = pStamps;
            } else if (m_pBatchPainter) {
                DrawStamps();
                UseBatchPen(PenState{ForeColor, 1, DrawStyle::Solid});
                if (m_iBatchFontGeneration != textFont.iGeneration) {
                    m_pBatchPainter->setFont(textFont.font);
                    m_iBatchFontGeneration = textFont.iGeneration;
                }
                m_pBatchPainter->drawText(baseline, strText);
            } else {
                QPainter painter(&m_image);
                DrawText(painter, textFont.font, ForeColor, baseline, strText);
            }
            m_records.text = std::move(text);
        }
        const QPointF mirrorBaseline(*MirrorCoordinate(CurrentX), *MirrorCoordinate(CurrentY) + metrics.ascent());
        for (MirrorSurface& mirror : m_mirrors) {
            const QPointF surfaceBaseline = mirror.Place(mirrorBaseline);
            TextRecord mirrorText{strText, surfaceBaseline.x(), surfaceBaseline.y(), textFont.iGeneration};
            if (mirror.records.Keep(ForeColor, m_bPlain) && mirrorText == mirror.records.text)
                continue;
            mirror.records.text = std::move(mirrorText);
            Flush(mirror);
            DrawText(*mirror.pPainter, textFont.font, ForeColor, mirrorBaseline, strText);
        }
    }
    if (bNewLine) {
        CurrentX = 0.0;
        CurrentY += metrics.height();
    } else {
        CurrentX += metrics.horizontalAdvance(strText);
    }
}
