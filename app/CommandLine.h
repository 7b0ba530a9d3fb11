#pragma once

#include "GraphExport.h"

#include <QString>

#include <optional>

// The program's name and version as --version shows them, and its id for
// the desktop.
void SetProgramIdentity();

// Writes "velmora: <text>" on standard error.
void TellError(const QString& strText);

// What the command line asks of the program.
struct CommandLineAnswer {
    // End at once with this status: --help, --version, --value, --points or
    // --table has answered, or the command line was refused (said on
    // standard error).
    std::optional<int> iExitStatus;
    // Draw a graph into a file, with no window.
    std::optional<GraphExport> graphExport;
    // The session file for the window to open.
    std::optional<QString> strSession;
};

// Reads the command line before the program needs a display. With neither
// an exit status nor an export the window program starts; Qt's own options
// (-platform, -style, ...) are let through for QApplication.
CommandLineAnswer AnswerCommandLine(int argc, char* argv[]);
