#include "ProgramIcon.h"

#include "VectorIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Designed in a 32 x 32 box: one unit is one pixel at the About box's size.
constexpr double kBox = 32.0;

// The icon keeps its own colours whatever the palette, like any program icon.
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kEdge(0x2B, 0x4F, 0x81);
const QColor kGrid(0xC6, 0xD7, 0xEC);
const QColor kAxis(0x30, 0x30, 0x30);
const QColor kFirstCurve(0xD0, 0x21, 0x2A);
const QColor kSecondCurve(0x1F, 0x6F, 0xD0);

void DrawProgramIcon(QPainter& painter)
{
    const QRectF sheet(1.5, 1.5, 29.0, 29.0);
    painter.setPen(QPen(kEdge, 1.0));
    painter.setBrush(kPaper);
    painter.drawRoundedRect(sheet, 3.0, 3.0);
    painter.setBrush(Qt::NoBrush);

    painter.setPen(QPen(kGrid, 1.0));
    for (double d : {8.5, 12.5, 20.5, 24.5}) {
        painter.drawLine(QPointF(d, 4.0), QPointF(d, 28.0));
        painter.drawLine(QPointF(4.0, d), QPointF(28.0, d));
    }

    // Axes crossing in the middle, with arrow tips at the positive ends.
    painter.setPen(QPen(kAxis, 1.5, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(4.0, 16.5), QPointF(27.0, 16.5));
    painter.drawLine(QPointF(16.5, 28.0), QPointF(16.5, 5.0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kAxis);
    painter.drawPolygon(QPolygonF({QPointF(29.0, 16.5), QPointF(25.5, 14.5), QPointF(25.5, 18.5)}));
    painter.drawPolygon(QPolygonF({QPointF(16.5, 3.0), QPointF(14.5, 6.5), QPointF(18.5, 6.5)}));
    painter.setBrush(Qt::NoBrush);

    // A wave and a parabola.
    QPainterPath wave;
    wave.moveTo(4.0, 16.5);
    wave.cubicTo(7.0, 6.0, 12.0, 6.0, 16.5, 16.5);
    wave.cubicTo(21.0, 27.0, 26.0, 27.0, 28.0, 19.0);
    painter.setPen(QPen(kFirstCurve, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(wave);

    QPainterPath parabola;
    parabola.moveTo(8.0, 4.5);
    parabola.quadTo(16.5, 29.0, 25.0, 4.5);
    painter.setPen(QPen(kSecondCurve, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(parabola);
}

} // namespace

void PaintProgramIcon(QPainter& painter, double dSide)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(dSide / kBox, dSide / kBox);
    DrawProgramIcon(painter);
    painter.restore();
}

QIcon ProgramIcon()
{
    return VectorIcon(kBox, [](QPainter& painter, const IconInk&) { DrawProgramIcon(painter); });
}
