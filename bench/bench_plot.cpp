// Timing of a full redraw of the graph's picture (axes, legends and every
// curve) as the graph window draws it, next to the time the evaluator alone
// takes for the same samples. Before a scene is timed, it is drawn the plain
// way (every mark, label and line drawn one by one with a painter of its
// own) and the usual way, on the picture, at two device pixels to a pixel
// and as an SVG drawing rendered back; the program stops with a message and
// exit code 1 if they differ.
//
//   PlotGraph/rectangular10   the default view with 10 curves (400 samples each)
//   PlotGraph/polar5          polar mode, 5 curves, sensitivity 1000 and a
//                             half-width of 0.5 (about 12,600 samples each)
//   Evaluate/...              the same samples through clsMath::Evaluate only
//   PlotGraph/divisions32767  the default view and curves with 32,767 divisions
//                             on each side of both axes: 131,068 marks and
//                             labels
//   .../screen2               the same redraw for a screen with two device
//                             pixels to a pixel, which draws the picture a
//                             second time at that resolution
//   Drag/...                  the same redraw, each time with the view moved
//                             by one pixel, as a drag with the mouse moves it

#include "CurveSampling.h"
#include "GraphScene.h"
#include "PictureCanvas.h"
#include "Settings.h"
#include "ViewNavigation.h"
#include "WindowBenchmarks.h"
#include "clsMath.h"

#include <QPainter>

#include <optional>
#include <string>

namespace {

const QStringList kRectangular{QStringLiteral("sin (x)"), QStringLiteral("x^2"), QStringLiteral("(x^3)-(2*x)"),
                               QStringLiteral("cos (x)*x"), QStringLiteral("exp (x/5)"), QStringLiteral("abs (x)-5"),
                               QStringLiteral("sqrt (abs (x))"), QStringLiteral("1/x"), QStringLiteral("tan (x)"),
                               QStringLiteral("ln (abs (x)+1)")};
const QStringList kPolar{QStringLiteral("5"), QStringLiteral("x"), QStringLiteral("2*sin (3*x)"),
                         QStringLiteral("4*cos (2*x)"), QStringLiteral("1+cos (x)")};

ViewSettings PolarSettings()
{
    ViewSettings settings = kDefaultViewSettings;
    settings.iPolarSensitivity = 1000;
    settings.dScaleX = 0.5;
    return settings;
}

ViewSettings RectangularSettings()
{
    return kDefaultViewSettings;
}

ViewSettings FinestDivisions()
{
    ViewSettings settings = kDefaultViewSettings;
    settings.iDivisionsX = 32767;
    settings.iDivisionsY = 32767;
    return settings;
}

// Draws the scene as the graph window does, on its picture and, on a screen
// of iScreenRatio device pixels to a pixel, on the copy the screen shows.
void PlotGraph(benchmark::State& state, const char* pszScene, const QStringList& entries,
               ViewSettings (*settings)(), bool bPolar, int iScreenRatio, bool bDrag = false)
{
    GraphScene scene{entries, 0, OpeningView(settings(), bPolar)};
    RequireSamePixels(scene, pszScene);
    QImage picture = PictureCanvas::NewImage(kGraphPictureSize, Qt::white);
    PictureCanvas canvas(picture);
    QImage screen;
    QPainter painter;
    std::optional<PictureCanvas::Mirror> mirror;
    if (iScreenRatio != 1) {
        screen = PictureCanvas::NewImage(kGraphPictureSize * iScreenRatio, Qt::white);
        screen.setDevicePixelRatio(iScreenRatio);
        painter.begin(&screen);
        mirror.emplace(canvas, painter);
    }
    clsMath objMath;
    for (auto _ : state) {
        if (bDrag)
            scene.view = Panned(scene.view, QPointF(1, 0));
        DrawGraph(canvas, scene, objMath);
        canvas.FlushMirrors();
    }
}

void EvaluateOnly(benchmark::State& state, const QStringList& entries, bool bPolar)
{
    GraphView view;
    view.bModePolar = bPolar;
    view.dScaleX = bPolar ? 0.5 : 10.0;
    view.iPolarSensitivity = bPolar ? 1000 : 100;
    clsMath objMath;
    std::int64_t iSamples = 0;
    for (auto _ : state) {
        for (const QString& strEntry : entries) {
            std::string strExpression = strEntry.toStdString();
            strExpression.insert(strExpression.begin(), '(');
            strExpression.push_back(')');
            iSamples += ForEachSample(CurveRange(view), [&](double dX) {
                objMath.bErrorStatus = false;
                benchmark::DoNotOptimize(objMath.Evaluate(strExpression, dX));
            });
        }
    }
    state.SetItemsProcessed(iSamples);
}

} // namespace

BENCHMARK_CAPTURE(PlotGraph, rectangular10, "PlotGraph/rectangular10", kRectangular, RectangularSettings, false, 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlotGraph, rectangular10/screen2, "PlotGraph/rectangular10/screen2", kRectangular,
                  RectangularSettings, false, 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlotGraph, divisions32767, "PlotGraph/divisions32767", kRectangular, FinestDivisions, false, 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlotGraph, divisions32767/screen2, "PlotGraph/divisions32767/screen2", kRectangular,
                  FinestDivisions, false, 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlotGraph, drag10/screen2, "Drag/rectangular10/screen2", kRectangular, RectangularSettings, false,
                  2, true)
    ->Name("Drag/rectangular10/screen2")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlotGraph, drag32767/screen2, "Drag/divisions32767/screen2", kRectangular, FinestDivisions, false,
                  2, true)
    ->Name("Drag/divisions32767/screen2")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EvaluateOnly, rectangular10, kRectangular, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlotGraph, polar5, "PlotGraph/polar5", kPolar, PolarSettings, true, 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlotGraph, polar5/screen2, "PlotGraph/polar5/screen2", kPolar, PolarSettings, true, 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EvaluateOnly, polar5, kPolar, true)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
