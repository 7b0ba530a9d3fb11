#pragma once

// What the benchmarks of windows share: the check that a graph comes out
// the same drawn the plain way, and a main() that runs the benchmarks with
// an application on Qt's offscreen platform unless another is asked for.

#include "GraphScene.h"
#include "PlainDrawingCheck.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

// Draws the scene the plain way (every mark, label and line on its own, with
// a painter of its own) and the usual way, on the picture, at two device
// pixels to a pixel and as an SVG drawing, and ends the program with a
// message and exit code 1 if they differ.
inline void RequireSamePixels(const GraphScene& scene, const char* pszScene)
{
    if (const std::optional<QString> difference = PlainDrawingDifference(scene)) {
        std::fprintf(stderr, "%s: %s differs from the one drawn the plain way\n", pszScene,
                     qPrintable(*difference));
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
