#pragma once

#include <QImage>
#include <QString>

// Writes the image to the file as a Windows bitmap, or in another format
// that Qt's image writers know ("PNG"), whole or not at all (WriteWholeFile).
// False when anything failed; the reason then goes to pstrError.
bool WriteBitmapFile(const QImage& image, const QString& strPath, QString* pstrError = nullptr,
                     const char* pszFormat = "BMP");
