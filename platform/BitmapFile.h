#pragma once

#include <QImage>
#include <QString>

// Writes the image to the file as a Windows bitmap. The data goes to a
// temporary file in the same folder that takes the name only once it is
// complete, so a failure leaves no partial file behind and an existing file
// untouched. False when anything failed; the reason then goes to pstrError.
bool WriteBitmapFile(const QImage& image, const QString& strPath, QString* pstrError = nullptr);
