#include "BitmapFile.h"

#include "WholeFile.h"

bool WriteBitmapFile(const QImage& image, const QString& strPath, QString* pstrError, const char* pszFormat)
{
    return WriteWholeFile(
        strPath, [&](QIODevice& file) { return image.save(&file, pszFormat); }, pstrError);
}
