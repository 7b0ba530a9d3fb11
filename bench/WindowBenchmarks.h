#pragma once

// What the benchmarks of windows share: a graph window's host that reads its
// expressions from a plain list, the check that a graph window's picture
// comes out the same drawn the plain way, and a main() that runs the
// benchmarks with an application on Qt's offscreen platform unless another
// is asked for.

#include "GraphHost.h"
#include "PictureBox.h"
#include "frmGraph.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

struct ListHost : GraphHost {
    QStringList entries;
    QStringList Expressions() const override { return entries; }
};

// Draws the window's picture the plain way (every mark, label and line on
// its own, with a painter of its own) and the usual way, and ends the
// program with a message and exit code 1 if a single pixel differs.
inline void RequireSamePixels(frmGraph& graph, const char* pszScene)
{
    auto* pPictureBox = graph.findChild<PictureBox*>(QStringLiteral("picGraph"));
    pPictureBox->Canvas().PlainDrawing = true;
    graph.PlotGraph();
    const QImage plain = pPictureBox->Picture().copy();
    pPictureBox->Canvas().PlainDrawing = false;
    graph.PlotGraph();
    if (pPictureBox->Picture() != plain) {
        std::fprintf(stderr, "%s: the picture differs from the one drawn the plain way\n", pszScene);
        std::exit(1);
    }
}

// pszPlatform is the platform asked for unless QT_QPA_PLATFORM names one.
inline int RunWindowBenchmarks(int argc, char** argv, const char* pszPlatform = "offscreen")
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", pszPlatform);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
