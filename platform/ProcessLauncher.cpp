#include "ProcessLauncher.h"

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

template <>
ProcessLauncher& ServiceSlot<ProcessLauncher>::Real()
{
    static RealLauncher launcher;
    return launcher;
}

bool FileExists(const QString& strPath)
{
    return ServiceSlot<ProcessLauncher>::Current().FileExists(strPath);
}

bool StartProgram(const QString& strProgram)
{
    return ServiceSlot<ProcessLauncher>::Current().StartProgram(strProgram);
}
