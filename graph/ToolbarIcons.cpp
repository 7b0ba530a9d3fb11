#include "ToolbarIcons.h"

#include "VectorIcon.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

// The pictures are designed in a 24 x 24 box, so one unit is one pixel at the
// toolbar's usual size and 2-unit strokes on whole coordinates stay crisp.
constexpr double kBox = 24.0;
constexpr double kStroke = 2.0;
constexpr double kThin = 1.0;

enum class Sign { None, Plus, Minus };
enum class Axis { None, X, Y };

QPen Pen(const QColor& colour, double dWidth = kStroke)
{
    return QPen(colour, dWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Polyline(QPainter& painter, const QPen& pen, std::initializer_list<QPointF> points)
{
    painter.setPen(pen);
    painter.drawPolyline(QPolygonF(QList<QPointF>(points)));
}

void DrawSign(QPainter& painter, const QColor& colour, QPointF centre, double dHalf, Sign sign)
{
    if (sign == Sign::None)
        return;
    painter.setPen(Pen(colour));
    painter.drawLine(centre - QPointF(dHalf, 0.0), centre + QPointF(dHalf, 0.0));
    if (sign == Sign::Plus)
        painter.drawLine(centre - QPointF(0.0, dHalf), centre + QPointF(0.0, dHalf));
}

// A filled head with its tip at tip, pointing along dAngle (degrees
// counter-clockwise from 3 o'clock, as QLineF measures them).
void ArrowHead(QPainter& painter, const QColor& colour, QPointF tip, double dAngle, double dLength = 4.0)
{
    QPainterPath head;
    head.moveTo(0.0, 0.0);
    head.lineTo(-dLength, -dLength * 0.75);
    head.lineTo(-dLength, dLength * 0.75);
    head.closeSubpath();

    painter.save();
    painter.translate(tip);
    painter.rotate(-dAngle);
    painter.fillPath(head, colour);
    painter.restore();
}

// A shaft with a head at to, and at from too when bBothEnds is set. The
// shaft stops inside the heads so its round caps do not blunt the tips.
void Arrow(QPainter& painter, const QColor& colour, QPointF from, QPointF to, bool bBothEnds = false,
           double dWidth = kStroke)
{
    QLineF shaft(from, to);
    const double dAngle = shaft.angle();
    const QPointF inset = (to - from) / shaft.length() * 2.5;
    shaft.setP2(to - inset);
    if (bBothEnds)
        shaft.setP1(from + inset);
    painter.setPen(Pen(colour, dWidth));
    painter.drawLine(shaft);
    ArrowHead(painter, colour, to, dAngle);
    if (bBothEnds)
        ArrowHead(painter, colour, from, dAngle + 180.0);
}

// An x axis pointing right and a y axis pointing up, crossing at origin and
// reaching the edges of extent.
void Axes(QPainter& painter, const QColor& colour, const QRectF& extent, QPointF origin)
{
    Arrow(painter, colour, QPointF(extent.left(), origin.y()), QPointF(extent.right(), origin.y()), false, kThin * 1.5);
    Arrow(painter, colour, QPointF(origin.x(), extent.bottom()), QPointF(origin.x(), extent.top()), false, kThin * 1.5);
}

void Magnifier(QPainter& painter, const IconInk& ink, QPointF centre, double dRadius, Sign sign)
{
    painter.setPen(Pen(ink.main));
    painter.drawEllipse(centre, dRadius, dRadius);
    const QPointF diagonal(0.7071, 0.7071);
    painter.setPen(Pen(ink.main, 3.0));
    painter.drawLine(centre + diagonal * (dRadius + 2.0), centre + diagonal * (dRadius * 1.9));
    DrawSign(painter, ink.accent, centre, dRadius * 0.5, sign);
}

// A polar grid: a rim and three diameters.
void PolarGrid(QPainter& painter, const IconInk& ink, QPointF centre, double dRadius)
{
    painter.setPen(Pen(ink.main, kThin));
    for (double dAngle : {0.0, 60.0, 120.0}) {
        QLineF diameter = QLineF::fromPolar(dRadius, dAngle).translated(centre);
        diameter.setP1(centre - (diameter.p2() - centre));
        painter.drawLine(diameter);
    }
    painter.setPen(Pen(ink.main));
    painter.drawEllipse(centre, dRadius, dRadius);
}

void Zoom(QPainter& painter, const IconInk& ink, Sign sign, Axis axis)
{
    if (axis == Axis::None) {
        Magnifier(painter, ink, QPointF(10.0, 10.0), 7.0, sign);
        return;
    }
    Magnifier(painter, ink, QPointF(8.5, 8.5), 5.5, sign);
    if (axis == Axis::X)
        Arrow(painter, ink.main, QPointF(2.0, 21.0), QPointF(22.0, 21.0), true);
    else
        Arrow(painter, ink.main, QPointF(21.0, 2.0), QPointF(21.0, 22.0), true);
}

void PolarSensitivity(QPainter& painter, const IconInk& ink, Sign sign)
{
    PolarGrid(painter, ink, QPointF(10.0, 10.0), 8.0);
    DrawSign(painter, ink.accent, QPointF(19.0, 19.0), 3.5, sign);
}

void Copy(QPainter& painter, const IconInk& ink)
{
    Polyline(painter, Pen(ink.main), {{9.0, 17.0}, {4.0, 17.0}, {4.0, 3.0}, {15.0, 3.0}, {15.0, 7.0}});
    painter.drawRect(QRectF(9.0, 7.0, 11.0, 14.0));
    painter.setPen(Pen(ink.accent, kThin * 1.5));
    for (double dY : {11.0, 14.0, 17.0})
        painter.drawLine(QPointF(12.0, dY), QPointF(17.0, dY));
}

void Save(QPainter& painter, const IconInk& ink)
{
    Polyline(painter, Pen(ink.main), {{3.0, 3.0}, {17.0, 3.0}, {21.0, 7.0}, {21.0, 21.0}, {3.0, 21.0}, {3.0, 3.0}});
    Polyline(painter, Pen(ink.main), {{7.0, 3.0}, {7.0, 9.0}, {16.0, 9.0}, {16.0, 3.0}});
    Polyline(painter, Pen(ink.accent), {{7.0, 21.0}, {7.0, 14.0}, {17.0, 14.0}, {17.0, 21.0}});
}

void Print(QPainter& painter, const IconInk& ink)
{
    Polyline(painter, Pen(ink.main), {{6.0, 8.0}, {6.0, 3.0}, {18.0, 3.0}, {18.0, 8.0}});
    Polyline(painter, Pen(ink.main),
             {{6.0, 17.0}, {2.0, 17.0}, {2.0, 8.0}, {22.0, 8.0}, {22.0, 17.0}, {18.0, 17.0}});
    Polyline(painter, Pen(ink.main), {{6.0, 13.0}, {6.0, 21.0}, {18.0, 21.0}, {18.0, 13.0}, {6.0, 13.0}});
    painter.setPen(Pen(ink.accent, kThin * 1.5));
    painter.drawLine(QPointF(9.0, 17.0), QPointF(15.0, 17.0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink.accent);
    painter.drawEllipse(QPointF(18.5, 10.5), 1.2, 1.2);
}

void Origin(QPainter& painter, const IconInk& ink)
{
    Axes(painter, ink.main, QRectF(2.0, 2.0, 20.0, 20.0), QPointF(10.0, 14.0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink.accent);
    painter.drawEllipse(QPointF(10.0, 14.0), 3.0, 3.0);
}

// "1:1", stroked.
void DefaultScale(QPainter& painter, const IconInk& ink)
{
    for (double dX : {6.5, 18.5})
        Polyline(painter, Pen(ink.main), {{dX - 3.0, 8.5}, {dX, 6.0}, {dX, 18.0}});
    painter.setPen(Pen(ink.main));
    painter.drawLine(QPointF(3.5, 18.0), QPointF(9.5, 18.0));
    painter.drawLine(QPointF(15.5, 18.0), QPointF(21.5, 18.0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink.accent);
    painter.drawEllipse(QPointF(12.0, 10.0), 1.5, 1.5);
    painter.drawEllipse(QPointF(12.0, 16.0), 1.5, 1.5);
}

void Rectangular(QPainter& painter, const IconInk& ink)
{
    Axes(painter, ink.main, QRectF(2.0, 2.0, 20.0, 20.0), QPointF(5.0, 19.0));
    QPainterPath curve;
    curve.moveTo(5.0, 17.0);
    curve.cubicTo(11.0, 17.0, 14.0, 13.0, 20.0, 5.0);
    painter.setPen(Pen(ink.accent));
    painter.drawPath(curve);
}

// A polar grid with one radius picked out by the angle it is drawn at.
void Polar(QPainter& painter, const IconInk& ink)
{
    const QPointF centre(12.0, 12.0);
    PolarGrid(painter, ink, centre, 10.0);
    painter.setPen(Pen(ink.accent));
    const QLineF ray = QLineF::fromPolar(10.0, 30.0).translated(centre);
    painter.drawLine(ray);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink.accent);
    painter.drawEllipse(ray.p2(), 2.0, 2.0);
}

void Grid(QPainter& painter, const IconInk& ink)
{
    painter.setPen(Pen(ink.accent, kThin * 1.5));
    for (double d : {9.0, 15.0}) {
        painter.drawLine(QPointF(d, 3.0), QPointF(d, 21.0));
        painter.drawLine(QPointF(3.0, d), QPointF(21.0, d));
    }
    painter.setPen(Pen(ink.main));
    painter.drawRect(QRectF(3.0, 3.0, 18.0, 18.0));
}

// A circular arrow going clockwise three quarters of the way round, from
// 12 o'clock to 9 o'clock, where its head points back up.
void Redraw(QPainter& painter, const IconInk& ink)
{
    const QRectF rim(4.0, 4.0, 16.0, 16.0);
    QPainterPath arc;
    arc.arcMoveTo(rim, 90.0);
    arc.arcTo(rim, 90.0, -270.0);
    painter.setPen(Pen(ink.main));
    painter.drawPath(arc);
    ArrowHead(painter, ink.main, QPointF(rim.left(), 7.0), 90.0, 5.5);
}

// An interval on an axis between two brackets.
void RangeSelector(QPainter& painter, const IconInk& ink)
{
    painter.setPen(Pen(ink.main, kThin * 1.5));
    painter.drawLine(QPointF(2.0, 12.0), QPointF(22.0, 12.0));
    painter.setPen(Pen(ink.accent, 4.0));
    painter.drawLine(QPointF(8.0, 12.0), QPointF(16.0, 12.0));
    Polyline(painter, Pen(ink.main), {{8.0, 6.0}, {6.0, 6.0}, {6.0, 18.0}, {8.0, 18.0}});
    Polyline(painter, Pen(ink.main), {{16.0, 6.0}, {18.0, 6.0}, {18.0, 18.0}, {16.0, 18.0}});
}

// A pair of scales.
void Compare(QPainter& painter, const IconInk& ink)
{
    painter.setPen(Pen(ink.main));
    painter.drawLine(QPointF(12.0, 4.0), QPointF(12.0, 20.0));
    painter.drawLine(QPointF(7.0, 20.0), QPointF(17.0, 20.0));
    painter.drawLine(QPointF(4.0, 7.0), QPointF(20.0, 7.0));
    for (double dX : {5.0, 19.0}) {
        Polyline(painter, Pen(ink.main, kThin), {{dX - 3.5, 14.0}, {dX, 7.0}, {dX + 3.5, 14.0}});
        const QRectF bowl(dX - 4.0, 11.0, 8.0, 6.0);
        QPainterPath pan;
        pan.arcMoveTo(bowl, 180.0);
        pan.arcTo(bowl, 180.0, 180.0);
        pan.closeSubpath();
        painter.fillPath(pan, ink.accent);
    }
}

using Drawing = void (*)(QPainter&, const IconInk&);

struct Picture {
    const char* pszKey;
    Drawing draw;
};

const Picture kPictures[] = {
    {"CopyToClipboard", Copy},
    {"Save", Save},
    {"PrintGraph", Print},
    {"ZoomIn", [](QPainter& p, const IconInk& ink) { Zoom(p, ink, Sign::Plus, Axis::None); }},
    {"ZoomOut", [](QPainter& p, const IconInk& ink) { Zoom(p, ink, Sign::Minus, Axis::None); }},
    {"ZoomIn (X-axis)", [](QPainter& p, const IconInk& ink) { Zoom(p, ink, Sign::Plus, Axis::X); }},
    {"ZoomOut (X-axis)", [](QPainter& p, const IconInk& ink) { Zoom(p, ink, Sign::Minus, Axis::X); }},
    {"ZoomIn (Y-axis)", [](QPainter& p, const IconInk& ink) { Zoom(p, ink, Sign::Plus, Axis::Y); }},
    {"ZoomOut (Y-axis)", [](QPainter& p, const IconInk& ink) { Zoom(p, ink, Sign::Minus, Axis::Y); }},
    {"Origin", Origin},
    {"Default Scale", DefaultScale},
    {"Rectangular Mode", Rectangular},
    {"Polar Mode", Polar},
    {"Increase Polar Sensitivity", [](QPainter& p, const IconInk& ink) { PolarSensitivity(p, ink, Sign::Plus); }},
    {"Decrease Polar Sensitivity", [](QPainter& p, const IconInk& ink) { PolarSensitivity(p, ink, Sign::Minus); }},
    {"Grids On/Off", Grid},
    {"Redraw curves", Redraw},
    {"Range Selector", RangeSelector},
    {"CompareExpressions", Compare},
};

} // namespace

QIcon ToolbarIcon(const QString& strKey)
{
    for (const Picture& picture : kPictures) {
        if (strKey == QLatin1String(picture.pszKey))
            return VectorIcon(kBox, picture.draw);
    }
    return QIcon();
}
