#include "BitmapFile.h"

#include <QSaveFile>

bool WriteBitmapFile(const QImage& image, const QString& strPath, QString* pstrError, const char* pszFormat)
{
    return WriteWholeFile(
        strPath, [&](QIODevice& file) { return image.save(&file, pszFormat); }, pstrError);
}

bool WriteWholeFile(const QString& strPath, const std::function<bool(QIODevice&)>& write, QString* pstrError)
{
    QSaveFile file(strPath);
    const auto fail = [&](const QString& strReason) {
        if (pstrError)
            *pstrError = strReason;
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (!write(file) || file.error() != QFileDevice::NoError) {
        const QString strReason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                       : QStringLiteral("the picture could not be encoded");
        file.cancelWriting();
        return fail(strReason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
