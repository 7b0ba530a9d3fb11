#include "ProcessLauncherDouble.h"

bool ProcessLauncherDouble::FileExists(const QString& strPath)
{
    fileTests.append(strPath);
    return existingFiles.contains(strPath);
}

bool ProcessLauncherDouble::StartProgram(const QString& strProgram)
{
    startRequests.append(strProgram);
    if (bFailStarts || !existingFiles.contains(strProgram))
        return false;
    started.append(strProgram);
    return true;
}
