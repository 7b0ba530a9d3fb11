#pragma once

#include "ProcessLauncher.h"

#include <QStringList>

// A scripted set of existing files. Starting a program succeeds when its file
// exists and bFailStarts is false. Records every file test and every start
// request. Takes the real launcher's place while it exists.
class ProcessLauncherDouble : public ServiceStandIn<ProcessLauncher> {
public:
    bool FileExists(const QString& strPath) override;
    bool StartProgram(const QString& strProgram) override;

    QStringList existingFiles;
    bool bFailStarts = false;

    QStringList fileTests;
    QStringList startRequests;
    // The programs that were started successfully.
    QStringList started;
};
