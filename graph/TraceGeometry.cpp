#include "TraceGeometry.h"

#include "CurveSampling.h"
#include "NumberFormat.h"
#include "PlotDrawing.h"
#include "PointsOfInterest.h"

#include <QLineF>

#include <cmath>
#include <limits>

namespace {

constexpr double kFar = std::numeric_limits<double>::infinity();

CurveFunction Curve(const GraphScene& scene, int iEntry)
{
    return EntryCurve(scene.entries[iEntry - 1].toStdString());
}

std::optional<double> ValueOf(const CurveFunction& f, double dT)
{
    const double dValue = f(dT);
    return std::isfinite(dValue) ? std::optional<double>(dValue) : std::nullopt;
}

double SegmentDistance(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double dLength = QPointF::dotProduct(ab, ab);
    const double dAlong = dLength > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / dLength, 0.0, 1.0) : 0.0;
    return QLineF(p, a + dAlong * ab).length();
}

// Follows a curve's samples as the picture draws them, the pen lifting where
// a sample has no value or lies outside the plot band, and measures how near
// the drawn lines come to a pixel and which sample lies nearest to it.
class Nearness {
public:
    Nearness(const GraphView& view, QPointF pixel)
        : m_view(view)
        , m_pixel(pixel)
    {
    }

    void Add(double dT, const std::optional<double>& value)
    {
        const TracePoint point{0, dT, value.value_or(0.0)};
        if (!value || !TraceVisible(m_view, point)) {
            m_bPenDown = false;
            return;
        }
        const QPointF at = TracePixel(m_view, point);
        m_dLine = std::min(m_dLine, SegmentDistance(m_pixel, m_bPenDown ? m_previous : at, at));
        const double dSample = QLineF(m_pixel, at).length();
        if (dSample < m_dSample) {
            m_dSample = dSample;
            m_nearest = point;
        }
        m_previous = at;
        m_bPenDown = true;
    }

    double Line() const { return m_dLine; }
    const TracePoint& NearestSample() const { return m_nearest; }

private:
    const GraphView& m_view;
    QPointF m_pixel;
    bool m_bPenDown = false;
    QPointF m_previous;
    double m_dLine = kFar;
    double m_dSample = kFar;
    TracePoint m_nearest;
};

// How near the curve is drawn to the pixel, and the point it traces there.
std::pair<double, TracePoint> NearPoint(const GraphScene& scene, int iEntry, QPointF pixel)
{
    const GraphView& view = scene.view;
    const SampleRange range = CurveRange(view);
    const CurveFunction f = Curve(scene, iEntry);
    Nearness nearness(view, pixel);
    if (view.bModePolar) {
        ForEachSample(range, [&](double dT) { nearness.Add(dT, ValueOf(f, dT)); });
    } else {
        // The columns within reach of the pixel, where the picture samples.
        const double dColumn = std::floor((WorldX(view, pixel.x()) - range.dStart) / range.dStep);
        const int iReach = static_cast<int>(kTraceReach) + 2;
        for (int i = -iReach; i <= iReach; ++i) {
            const double dT = range.dStart + (dColumn + i) * range.dStep;
            nearness.Add(dT, dT < range.dStart || dT > range.dEnd ? std::nullopt : ValueOf(f, dT));
        }
    }
    TracePoint point = nearness.NearestSample();
    point.iEntry = iEntry;
    if (!view.bModePolar) {
        // At the pixel's own x where the curve has a visible value there.
        const TracePoint atPixel{iEntry, WorldX(view, pixel.x()), ValueOf(f, WorldX(view, pixel.x())).value_or(kFar)};
        if (TraceVisible(view, atPixel))
            point = atPixel;
    }
    return {nearness.Line(), point};
}

} // namespace

std::vector<int> DrawnEntries(const GraphScene& scene)
{
    if (const int iChosen = ChosenEntry(scene))
        return {iChosen};
    std::vector<int> entries;
    for (int i = 1; i <= scene.entries.size(); ++i)
        entries.push_back(i);
    return entries;
}

std::uint32_t EntryColor(const GraphScene& scene, int iEntry)
{
    return ChosenEntry(scene) ? kChosenCurveColor : CurveColor(iEntry);
}

std::optional<double> EntryValue(const GraphScene& scene, int iEntry, double dT)
{
    if (iEntry < 1 || iEntry > scene.entries.size())
        return std::nullopt;
    return ValueOf(Curve(scene, iEntry), dT);
}

QPointF TracePixel(const GraphView& view, const TracePoint& point)
{
    if (view.bModePolar)
        return {PixelX(view, std::cos(point.dT) * point.dValue), PixelY(view, std::sin(point.dT) * point.dValue)};
    return {PixelX(view, point.dT), PixelY(view, point.dValue)};
}

bool TraceVisible(const GraphView& view, const TracePoint& point)
{
    const QPointF pixel = TracePixel(view, point);
    return InPlotBand(view, pixel.x(), pixel.y());
}

std::optional<TracePoint> TraceAt(const GraphScene& scene, QPointF pixel)
{
    std::optional<TracePoint> traced;
    double dNearest = kTraceReach;
    for (const int iEntry : DrawnEntries(scene)) {
        const auto [dDistance, point] = NearPoint(scene, iEntry, pixel);
        if (dDistance <= dNearest) {
            dNearest = dDistance;
            traced = point;
        }
    }
    return traced;
}

std::optional<TracePoint> NextColumn(const GraphScene& scene, const TracePoint& point, int iStep)
{
    const GraphView& view = scene.view;
    const CurveFunction f = Curve(scene, point.iEntry);
    const auto at = [&](double dT) -> std::optional<TracePoint> {
        const std::optional<double> value = ValueOf(f, dT);
        const TracePoint next{point.iEntry, dT, value.value_or(0.0)};
        return value && TraceVisible(view, next) ? std::optional<TracePoint>(next) : std::nullopt;
    };
    if (view.bModePolar) {
        // One sample along, round the turn.
        const SampleRange range = CurveRange(view);
        const std::int64_t iCount = SampleCountEstimate(range);
        const auto iAt = static_cast<std::int64_t>(std::llround((point.dT - range.dStart) / range.dStep));
        for (std::int64_t i = 1; i < iCount; ++i) {
            const std::int64_t iSample = ((iAt + i * iStep) % iCount + iCount) % iCount;
            if (const auto next = at(range.dStart + static_cast<double>(iSample) * range.dStep))
                return next;
        }
        return std::nullopt;
    }
    // The next whole pixel column, within the plot square.
    const double dColumn = PixelX(view, point.dT);
    const double dNudge = 1e-6 * iStep;
    for (double dNext = (iStep > 0 ? std::floor(dColumn + dNudge) : std::ceil(dColumn + dNudge)) + iStep;
         std::fabs(dNext - view.iCenterX) <= view.iHalfSize; dNext += iStep) {
        if (const auto next = at(WorldX(view, dNext)))
            return next;
    }
    return std::nullopt;
}

std::optional<TracePoint> NextCurve(const GraphScene& scene, const TracePoint& point, int iStep)
{
    const std::vector<int> entries = DrawnEntries(scene);
    const auto place = std::find(entries.begin(), entries.end(), point.iEntry);
    if (place == entries.end())
        return std::nullopt;
    for (auto i = (place - entries.begin()) + iStep; i >= 0 && i < static_cast<std::ptrdiff_t>(entries.size());
         i += iStep) {
        const std::optional<double> value = EntryValue(scene, entries[std::size_t(i)], point.dT);
        const TracePoint next{entries[std::size_t(i)], point.dT, value.value_or(0.0)};
        if (value && TraceVisible(scene.view, next))
            return next;
    }
    return std::nullopt;
}

QString TraceLabel(const GraphScene& scene, const TracePoint& point)
{
    const GraphView& view = scene.view;
    // An exact point is written in full; a column's point as finely as the
    // pixels tell columns (polar: samples) apart.
    const double dUnitsX = point.bExact ? 0.0 : UnitsPerPixelX(view);
    const double dUnitsY = point.bExact ? 0.0 : UnitsPerPixelY(view);
    const double dStep = point.bExact ? 0.0 : std::fabs(CurveRange(view).dStep);
    const QString strPoint = view.bModePolar
                               ? TraceText(point.dValue, std::min(dUnitsX, dUnitsY)) + QLatin1Char(',')
                                     + TraceText(point.dT, dStep)
                               : TraceText(point.dT, dUnitsX) + QLatin1Char(',') + TraceText(point.dValue, dUnitsY);
    return scene.entries.value(point.iEntry - 1) + QStringLiteral(" (") + strPoint + QLatin1Char(')');
}
