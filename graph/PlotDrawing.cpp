#include "PlotDrawing.h"

#include "CurveSampling.h"
#include "NumberFormat.h"
#include "PictureCanvas.h"
#include "clsMath.h"

#include <cmath>
#include <new>

namespace {

// Label positions estimate 5 pixels per character; a two-character label
// sits 6 pixels left of its mark.
double LabelWidthAllowance(const QString& strLabel)
{
    return 5.0 * (strLabel.size() - 2);
}

void PaintDivisionsX(PictureCanvas& canvas, const GraphView& view)
{
    const int iTickLength = TickLength(view);
    const int iDivisions = DivisionsX(view);
    const int iLabelStep = std::max<int>(view.iLabelStepX, 1);
    double dValue = view.dOriginX - view.dScaleX;
    for (int k = -iDivisions; k <= iDivisions; ++k) {
        const double dPixel = (dValue - view.dOriginX) * view.iHalfSize / view.dScaleX + view.iCenterX;
        canvas.Line(dPixel, view.iCenterY - iTickLength, dPixel, view.iCenterY + iTickLength);
        if (k != 0 && k % iLabelStep == 0) {
            const QString strLabel = LabelText(dValue);
            canvas.CurrentX = dPixel - 6 - LabelWidthAllowance(strLabel);
            if (iTickLength > 5)
                canvas.CurrentX -= 6;
            canvas.CurrentY = view.iCenterY + 10;
            canvas.Print(strLabel);
        }
        dValue += view.dScaleX / iDivisions;
    }
}

void PaintDivisionsY(PictureCanvas& canvas, const GraphView& view)
{
    const int iTickLength = TickLength(view);
    const int iDivisions = DivisionsY(view);
    const int iLabelStep = std::max<int>(view.iLabelStepY, 1);
    double dValue = view.dOriginY - view.dScaleY;
    for (int k = -iDivisions; k <= iDivisions; ++k) {
        const double dOffset = (dValue - view.dOriginY) * view.iHalfSize / view.dScaleY;
        // Marks go in mirrored order; their set of positions is symmetric.
        canvas.Line(view.iCenterX - iTickLength, view.iCenterY + dOffset, view.iCenterX + iTickLength,
                    view.iCenterY + dOffset);
        if (k != 0 && k % iLabelStep == 0) {
            const QString strLabel = LabelText(dValue);
            canvas.CurrentX = view.iCenterX - 20 - LabelWidthAllowance(strLabel);
            canvas.CurrentY = view.iCenterY - dOffset - 7;
            if (iTickLength > 5)
                canvas.CurrentY += 6;
            canvas.Print(strLabel);
        }
        dValue += view.dScaleY / iDivisions;
    }
}

void PaintPolarRing(PictureCanvas& canvas, const GraphView& view)
{
    canvas.Circle(view.iCenterX, view.iCenterY, view.iHalfSize, view.dScaleX / view.dScaleY);
    // Twelve spokes 30 degrees apart, and a thirteenth at a full turn on top
    // of the first.
    for (double dAngle = 0.0; dAngle <= MathConstants::kTwoPi; dAngle += MathConstants::kPi / 6) {
        canvas.Style = DrawStyle::Dot;
        canvas.Line(view.iCenterX, view.iCenterY, view.iCenterX + view.iHalfSize * std::cos(dAngle),
                    view.iCenterY + view.iHalfSize * std::sin(dAngle));
        canvas.Style = DrawStyle::Solid;
    }
}

} // namespace

void PaintAxes(PictureCanvas& canvas, const GraphView& view)
{
    canvas.Cls();
    const PictureCanvas::Batch batch(canvas);
    canvas.Style = DrawStyle::Solid;
    canvas.Line(view.iCenterX - view.iHalfSize, view.iCenterY, view.iCenterX + view.iHalfSize, view.iCenterY);
    canvas.Line(view.iCenterX, view.iCenterY - view.iHalfSize, view.iCenterX, view.iCenterY + view.iHalfSize);
    // Grid lines are marks across the whole square, dotted.
    if (view.bGrids && !view.bModePolar)
        canvas.Style = DrawStyle::Dot;
    PaintDivisionsX(canvas, view);
    PaintDivisionsY(canvas, view);
    if (view.bModePolar)
        PaintPolarRing(canvas, view);
}

std::int64_t PaintCurve(PictureCanvas& canvas, const GraphView& view, clsMath& objMath, std::string& strExpression,
                        const std::function<void()>& beforePoint)
{
    canvas.Style = DrawStyle::Solid;
    bool bPenDown = false;
    const PictureCanvas::Batch batch(canvas);
    return ForEachSample(CurveRange(view), [&](double dPointX) {
        double dPointY = 0.0;
        bool bPointError = false;
        objMath.bErrorStatus = false;
        try {
            dPointY = objMath.Evaluate(strExpression, dPointX);
            bPointError = objMath.bErrorStatus;
        } catch (const std::bad_alloc&) {
            bPointError = true;
        }
        // A polar sample is the point at angle x and distance f(x).
        const double dWorldX = view.bModePolar ? std::cos(dPointX) * dPointY : dPointX;
        const double dWorldY = view.bModePolar ? std::sin(dPointX) * dPointY : dPointY;
        const double dScreenX = PixelX(view, dWorldX);
        const double dScreenY = PixelY(view, dWorldY);
        if (bPointError || !InPlotBand(view, dScreenX, dScreenY)) {
            bPenDown = false;
            return;
        }
        if (beforePoint)
            beforePoint();
        if (!bPenDown) {
            canvas.CurrentX = dScreenX;
            canvas.CurrentY = dScreenY;
            bPenDown = true;
        }
        canvas.LineTo(dScreenX, dScreenY);
    });
}

std::uint32_t CurveColor(int iEntry)
{
    const std::int64_t iValue = (static_cast<std::int64_t>(iEntry) + 1) * 50000;
    return static_cast<std::uint32_t>(iValue % 0x1000000);
}
