#pragma once

#include <QString>
#include <QStringList>

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

// The launcher in use: the real one unless a test installed another.
ProcessLauncher& CurrentLauncher();

// Installs a launcher for tests; nullptr restores the real one. Returns the
// previously installed launcher (nullptr for the real one).
ProcessLauncher* SetLauncher(ProcessLauncher* pLauncher);

// Shorthands for the launcher in use.
bool FileExists(const QString& strPath);
bool StartProgram(const QString& strProgram);

// Test double: a scripted set of existing files. Starting a program succeeds
// when its file exists and bFailStarts is false. Records every file test and
// every start request. Installs itself while it exists.
class ProcessLauncherDouble : public ProcessLauncher {
public:
    ProcessLauncherDouble();
    ~ProcessLauncherDouble() override;
    ProcessLauncherDouble(const ProcessLauncherDouble&) = delete;
    ProcessLauncherDouble& operator=(const ProcessLauncherDouble&) = delete;

    bool FileExists(const QString& strPath) override;
    bool StartProgram(const QString& strProgram) override;

    QStringList existingFiles;
    bool bFailStarts = false;

    QStringList fileTests;
    QStringList startRequests;
    // The programs that were started successfully.
    QStringList started;

private:
    ProcessLauncher* m_previous;
};
