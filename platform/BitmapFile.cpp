#include "BitmapFile.h"

#include <QSaveFile>

bool WriteBitmapFile(const QImage& image, const QString& strPath)
{
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!image.save(&file, "BMP")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
