#include "GraphScene.h"

#include "EntryEvaluation.h"
#include "PlotDrawing.h"
#include "clsMath.h"

#include <cmath>
#include <optional>

namespace {

// Axis labels are Arial 8; legends the same in bold.
QFont GraphFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    return font;
}

void DrawEntry(PictureCanvas& canvas, const GraphView& view, clsMath& objMath, const QString& strEntry,
               std::uint32_t lColor, double dLegendY, const std::function<void()>& beforePoint)
{
    canvas.ForeColor = lColor;
    canvas.CurrentX = 20;
    canvas.CurrentY = dLegendY;
    canvas.Print(strEntry);
    std::string strExpression = EvaluatorText(strEntry);
    PaintCurve(canvas, view, objMath, strExpression, beforePoint);
}

} // namespace

GraphView OpeningView(const ViewSettings& settings, bool bPolar, QSize pictureSize)
{
    GraphView view;
    view.bModePolar = bPolar;
    view.iHalfSize = 200;
    view.iLabelStepX = 1;
    view.iLabelStepY = 1;
    view.dScaleX = settings.dScaleX;
    view.dScaleY = settings.dScaleY;
    view.iDivisionsX = settings.iDivisionsX;
    view.iDivisionsY = settings.iDivisionsY;
    view.dOriginX = settings.dOriginX;
    view.dOriginY = settings.dOriginY;
    view.iPolarSensitivity = settings.iPolarSensitivity;
    view.iCenterX = static_cast<std::int16_t>(std::nearbyint(pictureSize.width() / 2.0));
    view.iCenterY = static_cast<std::int16_t>(std::nearbyint(pictureSize.height() / 2.0));
    view.bGrids = settings.bGrids;
    return view;
}

int ChosenEntry(const GraphScene& scene)
{
    return scene.iChosen > 0 && scene.iChosen <= scene.entries.size() ? scene.iChosen : 0;
}

int CurveCount(const GraphScene& scene)
{
    return ChosenEntry(scene) > 0 ? 1 : static_cast<int>(scene.entries.size());
}

void DrawGraph(PictureCanvas& canvas, const GraphScene& scene, clsMath& objMath,
               const std::function<void()>& beforePoint)
{
    const GraphView& view = scene.view;
    canvas.Font = GraphFont();
    PaintAxes(canvas, view);
    canvas.DrawWidth = 2;
    canvas.Font.setBold(true);
    if (const int iChosen = ChosenEntry(scene)) {
        DrawEntry(canvas, view, objMath, scene.entries[iChosen - 1], kChosenCurveColor,
                  2 * view.iHalfSize - 50, beforePoint);
    } else {
        // The legends stack upward from the last, 15 pixels apart.
        const int iCount = static_cast<int>(scene.entries.size()) + 1;
        for (int i = 1; i < iCount; ++i)
            DrawEntry(canvas, view, objMath, scene.entries[i - 1], CurveColor(i),
                      2 * view.iHalfSize + 50 - 15.0 * iCount + 15.0 * i, beforePoint);
    }
    canvas.DrawWidth = 1;
    canvas.ForeColor = 0;
    canvas.Font.setBold(false);
}

QImage GraphPicture(const GraphScene& scene, QPainter* pMirror, CanvasDrawing drawing)
{
    QImage picture = PictureCanvas::NewImage(kGraphPictureSize, Qt::white);
    PictureCanvas canvas(picture, drawing);
    std::optional<PictureCanvas::Mirror> mirror;
    if (pMirror)
        mirror.emplace(canvas, *pMirror);
    clsMath objMath;
    DrawGraph(canvas, scene, objMath);
    return picture;
}
