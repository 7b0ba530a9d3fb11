#pragma once

#include "ServiceSlot.h"

#include <QString>

// Starting other programs and testing for files, in one place so that tests
// can script both.

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;

    // Whether a file of that name exists; a folder does not count.
    virtual bool FileExists(const QString& strPath) = 0;
    // Starts the program as a separate process with no arguments and returns
    // at once, without waiting for it. False when it could not be started.
    virtual bool StartProgram(const QString& strProgram) = 0;
};

template <>
ProcessLauncher& ServiceSlot<ProcessLauncher>::Real();

// Shorthands for the launcher in use.
bool FileExists(const QString& strPath);
bool StartProgram(const QString& strProgram);
