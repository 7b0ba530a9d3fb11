#pragma once

#include "GraphScene.h"
#include "PointsOfInterest.h"
#include "TraceGeometry.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

class QPainter;

// A trace point on a curve of the graph, with the points of interest of
// that curve in view. It is drawn over the picture, never into it.
//
// The points of interest are found on a thread of their own, so that a
// heavy curve never holds up the window; Changed reports when they arrive.
class CurveTrace : public QObject {
    Q_OBJECT

public:
    CurveTrace();
    ~CurveTrace() override;

    bool Shown() const { return m_point.has_value(); }
    const std::optional<TracePoint>& Point() const { return m_point; }
    // The points of interest of the traced curve, once found (rectangular
    // mode only).
    const std::vector<PointOfInterest>& Points() const { return m_points; }
    bool PointsFound() const { return m_bPointsFound; }

    // A click at a picture pixel: traces the point of interest or the curve
    // under it, or removes the trace when neither is within reach. Returns
    // whether anything was traced.
    bool Click(const GraphScene& scene, QPointF pixel);
    // Left and Right: one pixel column (polar: one sample) along the curve,
    // stopping at each point of interest passed on the way.
    void Step(const GraphScene& scene, int iStep);
    // Up and Down: the previous or next curve at the same x.
    void ChangeCurve(const GraphScene& scene, int iStep);
    void Remove();
    // After the scene has changed: keeps the trace on its curve at the same
    // x while that point is in view, else removes it.
    void Follow(const GraphScene& scene);

    // What the trace shows, or an empty text when nothing is traced.
    QString Label(const GraphScene& scene) const;
    // Draws the points of interest, the ring and its text, in picture pixels.
    void Paint(QPainter& painter, const GraphScene& scene) const;

signals:
    void Changed();

private:
    void Trace(const GraphScene& scene, const TracePoint& point);
    // Starts finding the points of interest for the traced curve in the
    // scene's view, unless they are found or being found already.
    void FindPoints(const GraphScene& scene);
    void StopFinding();

    std::optional<TracePoint> m_point;
    QString m_strEntry; // the traced entry's text, to know it again

    // What the points of interest were asked for: the curves, the range and
    // the traced one. A new question drops the old answer.
    struct Question {
        QStringList curves;
        double dStart = 0;
        double dEnd = 0;
        int iTraced = 0;
        bool operator==(const Question&) const = default;
    };
    std::optional<Question> m_question;
    std::vector<PointOfInterest> m_points;
    bool m_bPointsFound = false;
    std::shared_ptr<std::atomic<bool>> m_pCancel;
    std::thread m_finder;
    int m_iGeneration = 0;
};
