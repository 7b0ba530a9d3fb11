#pragma once

#include "Settings.h"
#include "frmGraph.h"

#include <QString>
#include <QStringList>

// A graph to draw into a file without a window: the list's entries, ready
// prepared, the stored view to draw them in and the mode.
struct GraphExport {
    QString strFile;
    PictureFormat format;
    QStringList entries;
    ViewSettings settings;
    bool bPolar;
};

// Draws the graph off screen, exactly as the graph window draws it for the
// same list, view and mode, and writes it. Returns the program's exit
// status: 0, or 1 when the file could not be written (said on standard
// error; no partial file is left).
int ExportGraph(const GraphExport& request, int argc, char* argv[]);
