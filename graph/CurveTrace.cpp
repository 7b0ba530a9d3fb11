#include "CurveTrace.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Thrown from a curve's evaluation when its answer is no longer wanted; not
// an std::exception, so nothing on the way catches it as a failure.
struct Cancelled {};

QColor CurveQColor(std::uint32_t lColor)
{
    return QColor(int(lColor & 0xFF), int((lColor >> 8) & 0xFF), int((lColor >> 16) & 0xFF));
}

TracePoint ExactPoint(int iEntry, const PointOfInterest& point)
{
    return TracePoint{iEntry, point.dX, point.dY, true};
}

} // namespace

CurveTrace::CurveTrace() = default;

CurveTrace::~CurveTrace()
{
    StopFinding();
}

bool CurveTrace::Click(const GraphScene& scene, QPointF pixel)
{
    if (m_point) {
        for (const PointOfInterest& point : m_points) {
            const TracePoint exact = ExactPoint(m_point->iEntry, point);
            if (TraceVisible(scene.view, exact)
                && QLineF(TracePixel(scene.view, exact), pixel).length() <= kTraceReach) {
                Trace(scene, exact);
                return true;
            }
        }
    }
    if (const std::optional<TracePoint> point = TraceAt(scene, pixel)) {
        Trace(scene, *point);
        return true;
    }
    if (m_point)
        Remove();
    return false;
}

void CurveTrace::Step(const GraphScene& scene, int iStep)
{
    if (!m_point)
        return;
    const GraphView& view = scene.view;
    const std::optional<TracePoint> next = NextColumn(scene, *m_point, iStep);
    // The first point of interest on the way there (to the end of the view
    // when the curve shows no further column).
    const double dFrom = m_point->dT;
    const double dTo = next ? next->dT : WorldX(view, view.iCenterX + iStep * view.iHalfSize);
    const PointOfInterest* pStop = nullptr;
    for (const PointOfInterest& point : m_points) {
        const double dAlong = (point.dX - dFrom) * iStep;
        if (dAlong > 0 && dAlong <= (dTo - dFrom) * iStep && TraceVisible(view, ExactPoint(m_point->iEntry, point))
            && (!pStop || dAlong < (pStop->dX - dFrom) * iStep))
            pStop = &point;
    }
    if (pStop)
        Trace(scene, ExactPoint(m_point->iEntry, *pStop));
    else if (next)
        Trace(scene, *next);
}

void CurveTrace::ChangeCurve(const GraphScene& scene, int iStep)
{
    if (!m_point)
        return;
    if (const std::optional<TracePoint> next = NextCurve(scene, *m_point, iStep))
        Trace(scene, *next);
}

void CurveTrace::Remove()
{
    StopFinding();
    m_point.reset();
    m_question.reset();
    m_points.clear();
    m_bPointsFound = false;
    emit Changed();
}

void CurveTrace::Follow(const GraphScene& scene)
{
    if (!m_point)
        return;
    const std::vector<int> drawn = DrawnEntries(scene);
    TracePoint point = *m_point;
    const bool bSameCurve = std::find(drawn.begin(), drawn.end(), point.iEntry) != drawn.end()
                         && scene.entries.value(point.iEntry - 1) == m_strEntry;
    // An exact point keeps its coordinates while the curve is a graph of x;
    // any other point takes the curve's value at its x again.
    point.bExact = point.bExact && !scene.view.bModePolar;
    const std::optional<double> value = bSameCurve ? EntryValue(scene, point.iEntry, point.dT) : std::nullopt;
    if (!point.bExact)
        point.dValue = value.value_or(0.0);
    if (!value || !TraceVisible(scene.view, point)) {
        Remove();
        return;
    }
    Trace(scene, point);
}

void CurveTrace::Trace(const GraphScene& scene, const TracePoint& point)
{
    m_point = point;
    m_strEntry = scene.entries.value(point.iEntry - 1);
    FindPoints(scene);
    emit Changed();
}

QString CurveTrace::Label(const GraphScene& scene) const
{
    return m_point ? TraceLabel(scene, *m_point) : QString();
}

void CurveTrace::FindPoints(const GraphScene& scene)
{
    if (scene.view.bModePolar) {
        StopFinding();
        m_question.reset();
        m_points.clear();
        m_bPointsFound = false;
        return;
    }
    const GraphView& view = scene.view;
    Question question{{}, view.dOriginX - view.dScaleX, view.dOriginX + view.dScaleX, 0};
    const std::vector<int> entries = DrawnEntries(scene);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        question.curves.push_back(scene.entries[entries[i] - 1]);
        if (entries[i] == m_point->iEntry)
            question.iTraced = static_cast<int>(i);
    }
    if (m_question == question)
        return;
    StopFinding();
    m_question = question;
    m_points.clear();
    m_bPointsFound = false;

    std::vector<std::string> texts;
    for (const QString& strCurve : question.curves)
        texts.push_back(strCurve.toStdString());
    auto pCancel = std::make_shared<std::atomic<bool>>(false);
    m_pCancel = pCancel;
    const int iGeneration = ++m_iGeneration;
    m_finder = std::thread([this, texts, question, pCancel, iGeneration] {
        std::vector<CurveFunction> curves;
        for (const std::string& strText : texts)
            curves.push_back([f = EntryCurve(strText), pCancel](double x) {
                if (pCancel->load(std::memory_order_relaxed))
                    throw Cancelled{};
                return f(x);
            });
        std::vector<PointOfInterest> points;
        try {
            points = FindPointsOfInterestOf(curves, std::size_t(question.iTraced), question.dStart, question.dEnd,
                                            kPointOfInterestSamples);
        } catch (const Cancelled&) {
            return;
        }
        QMetaObject::invokeMethod(
            this,
            [this, points = std::move(points), iGeneration] {
                if (iGeneration != m_iGeneration)
                    return;
                m_points = points;
                m_bPointsFound = true;
                emit Changed();
            },
            Qt::QueuedConnection);
    });
}

void CurveTrace::StopFinding()
{
    ++m_iGeneration;
    if (m_pCancel)
        m_pCancel->store(true);
    if (m_finder.joinable())
        m_finder.join();
    m_pCancel.reset();
}

void CurveTrace::Paint(QPainter& painter, const GraphScene& scene) const
{
    if (!m_point)
        return;
    const GraphView& view = scene.view;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(128, 128, 128));
    for (const PointOfInterest& point : m_points) {
        const TracePoint exact = ExactPoint(m_point->iEntry, point);
        if (TraceVisible(view, exact))
            painter.drawEllipse(TracePixel(view, exact), 3.0, 3.0);
    }
    // The ring in the curve's own colour, unblended, so that it reads as
    // that curve's on any screen.
    const QColor color = CurveQColor(EntryColor(scene, m_point->iEntry));
    const QPointF at = TracePixel(view, *m_point);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(color, 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, 5.0, 5.0);
    painter.setRenderHint(QPainter::Antialiasing);

    // The text beside the ring, turned to the other side near the edges.
    const QString strLabel = Label(scene);
    const QFontMetricsF metrics(painter.font());
    QRectF box(QPointF(0, 0), metrics.size(Qt::TextSingleLine, strLabel) + QSizeF(6, 2));
    const QSizeF room(kGraphPictureSize);
    box.moveBottomLeft(at + QPointF(9, -7));
    if (box.right() > room.width())
        box.moveRight(at.x() - 9);
    if (box.left() < 0)
        box.moveLeft(0);
    if (box.top() < 0)
        box.moveTop(at.y() + 7);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 220));
    painter.drawRect(box);
    painter.setPen(color);
    painter.drawText(box, Qt::AlignCenter, strLabel);
    painter.restore();
}
