#pragma once

// What the benchmarks of windows share: a graph window's host that reads its
// expressions from a plain list, and a main() that runs the benchmarks with
// an application on Qt's offscreen platform unless another is asked for.

#include "GraphHost.h"

#include <QApplication>

#include <benchmark/benchmark.h>

struct ListHost : GraphHost {
    QStringList entries;
    QStringList Expressions() const override { return entries; }
};

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
