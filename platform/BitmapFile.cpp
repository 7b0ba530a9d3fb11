#include "BitmapFile.h"

#include <QSaveFile>

bool WriteBitmapFile(const QImage& image, const QString& strPath, QString* pstrError)
{
    QSaveFile file(strPath);
    const auto fail = [&](const QString& strReason) {
        if (pstrError)
            *pstrError = strReason;
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (!image.save(&file, "BMP")) {
        const QString strReason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                       : QStringLiteral("the picture could not be encoded");
        file.cancelWriting();
        return fail(strReason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
