// Timing of a full redraw of the graph window's picture (axes, legends and
// every curve) on an off-screen window, next to the time the evaluator alone
// takes for the same samples. Before a scene is timed, its picture is drawn
// the plain way (every mark, label and line drawn one by one with a painter
// of its own) and the usual way; the program stops with a message and exit
// code 1 if a single pixel differs.
//
//   PlotGraph/rectangular10   the default view with 10 curves (400 samples each)
//   PlotGraph/polar5          polar mode, 5 curves, sensitivity 1000 and a
//                             half-width of 0.5 (about 12,600 samples each)
//   Evaluate/...              the same samples through clsMath::Evaluate only
//   PlotGraph/divisions32767  the default view and curves with 32,767 divisions
//                             on each side of both axes: 131,068 marks and
//                             labels
//   .../screen2               the same redraw in a window on a screen with two
//                             device pixels to a pixel, which draws the
//                             picture a second time at that resolution

#include "CurveSampling.h"
#include "PictureBox.h"
#include "Settings.h"
#include "WindowBenchmarks.h"
#include "clsMath.h"
#include "frmGraph.h"

#include <QGuiApplication>
#include <QScreen>

#include <string>

namespace {

const QStringList kRectangular{QStringLiteral("sin (x)"), QStringLiteral("x^2"), QStringLiteral("(x^3)-(2*x)"),
                               QStringLiteral("cos (x)*x"), QStringLiteral("exp (x/5)"), QStringLiteral("abs (x)-5"),
                               QStringLiteral("sqrt (abs (x))"), QStringLiteral("1/x"), QStringLiteral("tan (x)"),
                               QStringLiteral("ln (abs (x)+1)")};
const QStringList kPolar{QStringLiteral("5"), QStringLiteral("x"), QStringLiteral("2*sin (3*x)"),
                         QStringLiteral("4*cos (2*x)"), QStringLiteral("1+cos (x)")};

void UsePolarSettings()
{
    SetDefaultSettings();
    gViewSettings.bAnimate = false;
    gViewSettings.iPolarSensitivity = 1000;
    gViewSettings.dScaleX = 0.5;
}

void UseRectangularSettings()
{
    SetDefaultSettings();
    gViewSettings.bAnimate = false;
}

void UseFinestDivisions()
{
    UseRectangularSettings();
    gViewSettings.iDivisionsX = 32767;
    gViewSettings.iDivisionsY = 32767;
}

void PlotGraph(benchmark::State& state, const char* pszScene, const QStringList& entries, void (*useSettings)(),
               bool bPolar, int iScreenRatio)
{
    useSettings();
    ListHost host;
    host.entries = entries;
    frmGraph graph(host);
    graph.bModePolar = bPolar;
    if (iScreenRatio == 1) {
        graph.Initialize();
    } else {
        for (QScreen* pScreen : QGuiApplication::screens())
            if (pScreen->devicePixelRatio() == iScreenRatio) {
                graph.setScreen(pScreen);
                graph.move(pScreen->geometry().topLeft());
            }
        graph.show();
        auto* pPicture = graph.findChild<PictureBox*>(QStringLiteral("picGraph"));
        while (pPicture->ScreenPicture().devicePixelRatio() != iScreenRatio)
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    RequireSamePixels(graph, pszScene);
    for (auto _ : state)
        graph.PlotGraph();
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

BENCHMARK_CAPTURE(PlotGraph, rectangular10, "PlotGraph/rectangular10", kRectangular, UseRectangularSettings,
                  false, 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlotGraph, rectangular10/screen2, "PlotGraph/rectangular10/screen2", kRectangular,
                  UseRectangularSettings, false, 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlotGraph, divisions32767, "PlotGraph/divisions32767", kRectangular, UseFinestDivisions, false, 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlotGraph, divisions32767/screen2, "PlotGraph/divisions32767/screen2", kRectangular,
                  UseFinestDivisions, false, 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EvaluateOnly, rectangular10, kRectangular, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlotGraph, polar5, "PlotGraph/polar5", kPolar, UsePolarSettings, true, 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlotGraph, polar5/screen2, "PlotGraph/polar5/screen2", kPolar, UsePolarSettings, true, 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EvaluateOnly, polar5, kPolar, true)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv, "offscreen:configfile=" VELMORA_TWO_SCREENS);
}
