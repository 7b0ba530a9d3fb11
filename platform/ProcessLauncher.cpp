#include "ProcessLauncher.h"

#include "ServiceSlot.h"

#include <QFileInfo>
#include <QProcess>

namespace {

class RealLauncher : public ProcessLauncher {
public:
    bool FileExists(const QString& strPath) override
    {
        const QFileInfo info(strPath);
        return !strPath.isEmpty() && info.exists() && !info.isDir();
    }

    // The new process gets its own window from the desktop, which normally
    // shows it in front with the focus.
    bool StartProgram(const QString& strProgram) override
    {
        return !strProgram.isEmpty() && QProcess::startDetached(strProgram, QStringList());
    }
};

} // namespace

using LauncherSlot = ServiceSlot<ProcessLauncher, RealLauncher>;

ProcessLauncher& CurrentLauncher()
{
    return LauncherSlot::Current();
}

ProcessLauncher* SetLauncher(ProcessLauncher* pLauncher)
{
    return LauncherSlot::Install(pLauncher);
}

bool FileExists(const QString& strPath)
{
    return CurrentLauncher().FileExists(strPath);
}

bool StartProgram(const QString& strProgram)
{
    return CurrentLauncher().StartProgram(strProgram);
}

ProcessLauncherDouble::ProcessLauncherDouble() : m_previous(SetLauncher(this)) {}

ProcessLauncherDouble::~ProcessLauncherDouble()
{
    SetLauncher(m_previous);
}

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
