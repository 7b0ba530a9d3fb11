#include "SampleFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QStringList DesktopDataFolders()
{
    return QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
}

QStringList SampleFolders(const QString& strProgramFolder, const QStringList& dataFolders)
{
    const QDir programFolder(strProgramFolder);
    // The path from the installed executable's folder to the data folder,
    // such as "../share/velmora", set by the build.
    QStringList folders{strProgramFolder,
                        QDir::cleanPath(programFolder.filePath(QStringLiteral(VELMORA_DATA_FROM_PROGRAM)))};
    for (const QString& strDataFolder : dataFolders)
        folders.append(QDir(strDataFolder).filePath(QStringLiteral("velmora")));
    return folders;
}

QString FindSampleFile(const QStringList& folders)
{
    for (const QString& strFolder : folders) {
        const QString strPath = QDir(strFolder).filePath(QStringLiteral("samples.txt"));
        if (QFileInfo(strPath).isFile())
            return strPath;
    }
    return {};
}
