#pragma once

#include "GraphFile.h"
#include "GraphScene.h"

#include <QString>

// A graph to draw into a file without a window.
struct GraphExport {
    QString strFile;
    PictureFormat format;
    GraphScene scene;
};

// Draws the graph off screen, exactly as the graph window draws the same
// scene, and writes it. Returns the program's exit status: 0, or 1 when the
// file could not be written (said on standard error; no partial file is
// left).
int ExportGraph(const GraphExport& request, int argc, char* argv[]);
