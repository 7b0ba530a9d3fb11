#pragma once

#include <QString>
#include <QStringList>

// The user's and the system's data folders, as the desktop lists them
// (XDG_DATA_HOME, then XDG_DATA_DIRS).
QStringList DesktopDataFolders();

// The folders that may hold the samples file, in the order they are tried:
// the executable's own folder (a build, or a copy of the program with the
// user's own samples beside it), then the program's data folder found from
// there, so that an installed or unpacked package works wherever it was
// put, then "velmora" in each of the desktop's data folders.
QStringList SampleFolders(const QString& strProgramFolder, const QStringList& dataFolders = DesktopDataFolders());

// The path of samples.txt in the first of the folders that has one, or an
// empty text when none has.
QString FindSampleFile(const QStringList& folders);
