// Timing of the heaviest inputs the program accepts, each of which must
// leave the window answering within a fraction of a second (beyond the
// pacing of a progressive plot, which takes about a second by design).
//
//   Samples/load/longline   a samples file whose first line has 10,000,001
//                           characters, then ten ordinary samples: read and
//                           put into a list on screen
//   Samples/repaint/longline  a click on that list, and the list painted
//   Samples/.../longest500  the same for 500 samples of the longest length
//                           an entry may have (16 MB)
//   FirstPlot/rect200       200 expressions drawn progressively at the
//                           defaults, as the graph window first shows them
//   Plot/rect200            the same drawn at once: the drawing alone
//   FirstPlot/polar32767    one polar curve at sensitivity 32,767, drawn
//                           progressively
//   Plot/polar32767         the same drawn at once
//   Plot/polarWorst         one polar curve at sensitivity 32,767 in a view
//                           of +-0.1, where every sample lies in view, drawn
//   Export/polarWorst       the same written as an SVG drawing in memory;
//                           "bytes" is the size of the drawing
//   Trace/click/rect200     a click on the last of the 200 expressions,
//                           which traces it
//   Trace/click/polar32767  a click on the polar curve at sensitivity 32,767
//                           (the nearest of all its samples)
//   Trace/points/rect200    the points of interest of the first of the 200
//                           expressions (its crossings with the 199 others
//                           among them), found on the trace's own thread
//   Table/text100001x10     the table of values of ten expressions over
//                           100,001 rows, as --table prints it
//   Table/window100001x10   the same range shown in the table window, and
//                           the window painted
//   Enter/products22001     the check that refuses x*0+x*0+...+x (22,001
//                           characters), too long once written out for
//                           evaluation
//   Enter/names32764        normalising 32,764 characters of function names
//                           without brackets (sinsin...x) and the length
//                           check that then refuses it

#include "ExpressionPrep.h"
#include "GraphHost.h"
#include "GraphScene.h"
#include "PointsOfInterest.h"
#include "SampleFile.h"
#include "Settings.h"
#include "TraceGeometry.h"
#include "ValueTable.h"
#include "VectorFile.h"
#include "WindowBenchmarks.h"
#include "clsMath.h"
#include "frmGraph.h"
#include "frmTable.h"

#include <QBuffer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

#include <string>

namespace {

// A samples file in the scratch folder: one line of 10,000,001 characters
// and ten ordinary lines, or 500 lines as long as an entry may be.
QString WriteSamplesFile(const QTemporaryDir& dir, bool bLongest)
{
    const QString strPath = dir.filePath(QStringLiteral("samples.txt"));
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write the samples file");
    if (bLongest) {
        for (int i = 0; i < 500; ++i)
            file.write(QByteArray(static_cast<qsizetype>(kMaxEntryLength), 'x') + "\n");
    } else {
        file.write(QByteArray(10'000'001, 'x') + "\n");
        for (int i = 0; i < 10; ++i)
            file.write("sin(x)\n");
    }
    return strPath;
}

// The sample list as the main window sets it up.
void SetUpSampleList(QListWidget& list)
{
    list.setSelectionMode(QAbstractItemView::SingleSelection);
    list.setUniformItemSizes(true);
    list.resize(129, 121);
}

void SamplesLoad(benchmark::State& state, bool bLongest)
{
    const QTemporaryDir dir;
    const QString strPath = WriteSamplesFile(dir, bLongest);
    for (auto _ : state) {
        QListWidget list;
        SetUpSampleList(list);
        list.addItems(LoadSamples(strPath));
        list.show();
        benchmark::DoNotOptimize(list.grab());
        state.counters["samples"] = list.count();
    }
}
BENCHMARK_CAPTURE(SamplesLoad, longline, false)->Name("Samples/load/longline")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SamplesLoad, longest500, true)->Name("Samples/load/longest500")->Unit(benchmark::kMillisecond);

void SamplesRepaint(benchmark::State& state, bool bLongest)
{
    const QTemporaryDir dir;
    QListWidget list;
    SetUpSampleList(list);
    list.addItems(LoadSamples(WriteSamplesFile(dir, bLongest)));
    list.show();
    int iRow = 0;
    for (auto _ : state) {
        list.setCurrentRow(iRow);
        iRow = (iRow + 1) % list.count();
        benchmark::DoNotOptimize(list.grab());
    }
}
BENCHMARK_CAPTURE(SamplesRepaint, longline, false)->Name("Samples/repaint/longline")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SamplesRepaint, longest500, true)->Name("Samples/repaint/longest500")->Unit(benchmark::kMillisecond);

// Opens a graph window on the entries and draws it; progressive as the first
// plot after Draw, or at once.
void Plot(benchmark::State& state, const QStringList& entries, bool bPolar, bool bProgressive)
{
    SetDefaultSettings();
    if (bPolar)
        gViewSettings.iPolarSensitivity = 32767;
    ListHost host;
    host.entries = entries;
    frmGraph graph(host, GraphOpening{.bPolar = bPolar, .bProgressive = false});
    graph.show();
    graph.Initialize();
    RequireSamePixels(graph.Scene(), bPolar ? "Plot/polar32767" : "Plot/rect200");
    for (auto _ : state) {
        if (bProgressive)
            graph.RedrawGraph();
        else
            graph.Initialize();
    }
}

const QStringList kRect200 = [] {
    QStringList entries;
    for (int i = 0; i < 200; ++i)
        entries.append(QStringLiteral("sin (x+%1)*%2").arg(i).arg(1 + i % 9));
    return entries;
}();
const QStringList kPolarOne{QStringLiteral("5")};

BENCHMARK_CAPTURE(Plot, rect200, kRect200, false, true)->Name("FirstPlot/rect200")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Plot, rect200, kRect200, false, false)->Name("Plot/rect200")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Plot, polar32767, kPolarOne, true, true)->Name("FirstPlot/polar32767")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Plot, polar32767, kPolarOne, true, false)->Name("Plot/polar32767")->Unit(benchmark::kMillisecond);

// One polar curve at the highest sensitivity, all of it in a view of +-0.1.
GraphScene PolarWorstScene()
{
    ViewSettings settings = kDefaultViewSettings;
    settings.dScaleX = settings.dScaleY = 0.1;
    settings.iPolarSensitivity = 32767;
    return GraphScene{{QStringLiteral("0.05+0.01*sin(7*x)")}, 0, OpeningView(settings, true)};
}

void PlotPolarWorst(benchmark::State& state)
{
    const GraphScene scene = PolarWorstScene();
    for (auto _ : state)
        benchmark::DoNotOptimize(GraphPicture(scene));
}
BENCHMARK(PlotPolarWorst)->Name("Plot/polarWorst")->Unit(benchmark::kMillisecond)->Iterations(1);

void ExportPolarWorst(benchmark::State& state)
{
    const GraphScene scene = PolarWorstScene();
    for (auto _ : state) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        WriteVectorDocument(VectorFormat::Svg, buffer, kGraphPictureSize, QString(),
                            [&scene](QPainter& painter) { GraphPicture(scene, &painter); });
        state.counters["bytes"] = static_cast<double>(bytes.size());
    }
}
BENCHMARK(ExportPolarWorst)->Name("Export/polarWorst")->Unit(benchmark::kMillisecond)->Iterations(1);

GraphScene OpeningScene(const QStringList& entries, bool bPolar)
{
    ViewSettings settings = kDefaultViewSettings;
    settings.iPolarSensitivity = bPolar ? 32767 : settings.iPolarSensitivity;
    return GraphScene{entries, 0, OpeningView(settings, bPolar)};
}

void TraceClick(benchmark::State& state, const QStringList& entries, bool bPolar)
{
    const GraphScene scene = OpeningScene(entries, bPolar);
    // The last curve at x = 1 (polar: the circle of radius 5 at angle 0).
    const double dX = bPolar ? 5 : 1;
    const double dY = bPolar ? 0 : *EntryValue(scene, int(entries.size()), 1);
    const QPointF pixel(PixelX(scene.view, dX), PixelY(scene.view, dY));
    for (auto _ : state)
        if (!TraceAt(scene, pixel))
            state.SkipWithError("nothing traced");
}
BENCHMARK_CAPTURE(TraceClick, rect200, kRect200, false)->Name("Trace/click/rect200")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TraceClick, polar32767, kPolarOne, true)
    ->Name("Trace/click/polar32767")
    ->Unit(benchmark::kMillisecond);

void TracePoints(benchmark::State& state)
{
    std::vector<CurveFunction> curves;
    for (const QString& strEntry : kRect200)
        curves.push_back(EntryCurve(strEntry.toStdString()));
    for (auto _ : state)
        benchmark::DoNotOptimize(FindPointsOfInterestOf(curves, 0, -10, 10, kPointOfInterestSamples));
}
BENCHMARK(TracePoints)->Name("Trace/points/rect200")->Unit(benchmark::kMillisecond);

const QStringList kTen{QStringLiteral("sin (x)"),        QStringLiteral("x^2"),       QStringLiteral("(x^3)-(2*x)"),
                       QStringLiteral("cos (x)*x"),      QStringLiteral("exp (x/5)"), QStringLiteral("abs (x)-5"),
                       QStringLiteral("sqrt (abs (x))"), QStringLiteral("1/x"),       QStringLiteral("tan (x)"),
                       QStringLiteral("ln (abs (x)+1)")};

void TableText100001(benchmark::State& state)
{
    const TableRange range = std::get<TableRange>(
        ReadTableRange(QStringLiteral("-50"), QStringLiteral("50"), QStringLiteral("0.001")));
    const TableColumns columns(kTen);
    for (auto _ : state)
        state.counters["bytes"] = static_cast<double>(TableText(range, columns, false).toUtf8().size());
}
BENCHMARK(TableText100001)->Name("Table/text100001x10")->Unit(benchmark::kMillisecond);

void TableWindow100001(benchmark::State& state)
{
    frmTable table(kTen, GraphView{});
    table.show();
    auto* pFrom = table.findChild<QLineEdit*>(QStringLiteral("txtFrom"));
    auto* pStep = table.findChild<QLineEdit*>(QStringLiteral("txtStep"));
    table.findChild<QLineEdit*>(QStringLiteral("txtTo"))->setText(QStringLiteral("50"));
    for (auto _ : state) {
        pFrom->setText(QStringLiteral("-50"));
        pStep->setText(QStringLiteral("0.001"));
        table.cmdShow_Click();
        benchmark::DoNotOptimize(table.grab());
    }
}
BENCHMARK(TableWindow100001)->Name("Table/window100001x10")->Unit(benchmark::kMillisecond);

void EnterProducts(benchmark::State& state)
{
    std::string strEntry;
    for (int i = 0; i < 5500; ++i)
        strEntry += "x*0+";
    strEntry += "x";
    for (auto _ : state)
        state.counters["refused"] = !FitsEvaluator(strEntry);
}
BENCHMARK(EnterProducts)->Name("Enter/products22001")->Unit(benchmark::kMillisecond);

void EnterFunctionNames(benchmark::State& state)
{
    std::string strTyped;
    while (strTyped.size() + 3 < 32764)
        strTyped += "sin";
    strTyped.append(32764 - strTyped.size(), 'x');
    for (auto _ : state) {
        const std::string strEntry = OptimizeExpression(strTyped);
        state.counters["refused"] = strEntry.size() > kMaxEntryLength || !FitsEvaluator(strEntry);
    }
}
BENCHMARK(EnterFunctionNames)->Name("Enter/names32764")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
